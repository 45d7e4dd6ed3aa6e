// The process entry of the Windows build. The system's start-up (a GUI-subsystem program)
// calls main with the command line already split; without options this entry hands
// WinMain exactly what the start-up would have handed it, so the window program starts as
// it always did. Options belong to the command-line mode, which runs the program on the
// headless display of the Linux build: here they are refused where a person sees it (a
// message box, since such a program has no console) and with the status of a bad option,
// and the window program does not start.
#include <win32.h>

#include <string>

#include "cli/options.h"

namespace {

constexpr int kExitUsage = 2;  // as for any option the command line does not accept
constexpr char kCaption[] = "TORVEX NT Benchmarks";

// What follows the program's name on the command line, as the start-up passes it to
// WinMain: the name is skipped (quoted or not), then the blanks after it.
char* ArgumentsOf(char* line) {
  bool quoted = false;
  while (*line != '\0' && (quoted || (*line != ' ' && *line != '\t'))) {
    if (*line == '"') quoted = !quoted;
    ++line;
  }
  while (*line == ' ' || *line == '\t') ++line;
  return line;
}

// The show command the start-up passes: the starter's choice if it made one.
int ShowCommand() {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

const char* FirstOption(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] == '-') return argv[i];
  return "";
}

// A script that redirected standard error (to a file or a pipe) reads the reason there
// too. Without redirection a GUI program's standard handles are null or lead to no
// console of its own, so nothing is written then.
void WriteToRedirectedError(const std::string& line) {
  HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
  if (error == nullptr || error == INVALID_HANDLE_VALUE) return;
  const DWORD type = GetFileType(error);
  if (type != FILE_TYPE_DISK && type != FILE_TYPE_PIPE) return;
  DWORD written = 0;
  WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  if (!cli::HasOptions(argc, argv)) {
    return WinMain(GetModuleHandleA(nullptr), nullptr, ArgumentsOf(GetCommandLineA()), ShowCommand());
  }
  const std::string reason = std::string(FirstOption(argc, argv)) +
                             " belongs to the command-line mode, which runs only in the Linux build: "
                             "it needs the headless display, which this Windows program does not have.";
  WriteToRedirectedError("torvex: " + reason + "\r\n");
  const std::string text = reason + "\n\nStart torvex.exe without options to use the window program.";
  MessageBoxA(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONERROR);
  return kExitUsage;
}
