// The process entry on this system: the runtime starts at main, and the program's real
// entry is WinMain, given the instance, no previous instance, the command line (the
// arguments joined by blanks) and the normal show command.
#include "framework/winapp.h"

#include <string>

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine.data(), SW_SHOWNORMAL);
}
