// The program's process entry. Without options it is the framework's entry exactly: the
// arguments joined by blanks become WinMain's command line and the window program runs.
// With options the command line takes over, and starts the same WinMain when it runs.
#include "cli/command_line.h"
#include "cli/options.h"
#include "framework/winapp.h"

#include <string>

namespace {

int StartWindowProgram(char* commandLine) {
  return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
}

}  // namespace

int main(int argc, char** argv) {
  if (!cli::HasOptions(argc, argv)) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
      if (i > 1) commandLine += ' ';
      commandLine += argv[i];
    }
    return StartWindowProgram(commandLine.data());
  }
  // The run starts the window program as a person starts it: with no arguments.
  static char plainStart[] = "";
  return cli::Main(argc, argv, [] { return StartWindowProgram(plainStart); });
}
