// Options on the Windows program: the command-line mode is the Linux build's, so torvex.exe
// given an option must say so in a message box, write the reason to a redirected standard
// error, end with 2 (a bad option's status) and never start the window program.
// Usage: torvex_options <path of torvex.exe>. Exit code 0 when every check held.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr char kCaption[] = "TORVEX NT Benchmarks";
constexpr char kDialogClass[] = "#32770";
constexpr DWORD kExitUsage = 2;
constexpr ULONGLONG kBoxTimeoutMs = 120000;  // Wine starts slowly on a busy machine
constexpr DWORD kEndTimeoutMs = 60000;
constexpr UINT kSendTimeoutMs = 30000;

int failures = 0;

void Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  ++failures;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                           kSendTimeoutMs, &copied)) {
    return "<no answer>";
  }
  return std::string(text, copied);
}

// The process's top-level windows titled like the program: its message box (a dialog)
// and, if it started after all, its main window.
struct Titled {
  DWORD processId;
  HWND box = nullptr;
  HWND other = nullptr;
};

BOOL CALLBACK MatchTitled(HWND hwnd, LPARAM lParam) {
  auto* found = reinterpret_cast<Titled*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char title[64] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  if (owner == found->processId && std::string(title) == kCaption) {
    (ClassOf(hwnd) == kDialogClass ? found->box : found->other) = hwnd;
  }
  return TRUE;
}

Titled FindTitled(DWORD processId) {
  Titled found{processId};
  EnumWindows(MatchTitled, reinterpret_cast<LPARAM>(&found));
  return found;
}

// The box's texts: its message is a static control among its buttons.
BOOL CALLBACK CollectText(HWND hwnd, LPARAM lParam) {
  if (ClassOf(hwnd) == "Static") *reinterpret_cast<std::string*>(lParam) += TextOf(hwnd);
  return TRUE;
}

std::string ReadPipe(HANDLE pipe) {
  std::string text;
  char chunk[512];
  DWORD got = 0;
  while (ReadFile(pipe, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
  return text;
}

// Starts `torvex arguments`, with standard error in a pipe if `redirect`, and checks the
// refusal; returns what the program wrote to standard error.
std::string CheckRefused(const std::string& program, const std::string& arguments, const std::string& option,
                         bool redirect) {
  const std::string what = "\"" + arguments + "\": ";
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (redirect) {
    if (!CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
      Fail(what + "no pipe");
      return "";
    }
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = writeEnd;
  }
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + program + "\" " + arguments;
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, redirect, 0, nullptr, nullptr,
                      &startup, &process)) {
    Fail(what + "cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
    return "";
  }
  if (redirect) CloseHandle(writeEnd);

  Titled found{process.dwProcessId};
  const ULONGLONG start = GetTickCount64();
  while ((found = FindTitled(process.dwProcessId)).box == nullptr && GetTickCount64() - start < kBoxTimeoutMs &&
         WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT) {
  }
  if (found.box == nullptr) {
    Fail(what + "no message box titled \"" + std::string(kCaption) + "\"");
  } else {
    std::string text;
    EnumChildWindows(found.box, CollectText, reinterpret_cast<LPARAM>(&text));
    std::printf("box: %s\n", text.c_str());
    if (!Contains(text, option) || !Contains(text, "headless display") || !Contains(text, "Linux build"))
      Fail(what + "the box does not name " + option + ", the headless display and the Linux build: " + text);
    if (found.other != nullptr) Fail(what + "the window program started as well");
    PostMessageA(found.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }

  if (WaitForSingleObject(process.hProcess, kEndTimeoutMs) != WAIT_OBJECT_0) {
    Fail(what + "the program did not end after its box was answered");
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  if (exitCode != kExitUsage) Fail(what + "exit code " + std::to_string(exitCode) + ", expected 2");
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  std::string error;
  if (redirect) {
    error = ReadPipe(readEnd);
    CloseHandle(readEnd);
  }
  return error;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: torvex_options <torvex.exe>\n");
    return 2;
  }
  const std::string program = argv[1];

  const std::string error = CheckRefused(program, "--run --format csv", "--run", true);
  std::printf("standard error: %s", error.c_str());
  if (error.rfind("torvex: --run ", 0) != 0 || !Contains(error, "headless display") ||
      error.find('\n') != error.size() - 1)
    Fail("standard error is not the one line naming --run and the headless display: \"" + error + "\"");

  // Without redirection there is nowhere to write: the box alone says it.
  CheckRefused(program, "--help", "--help", false);

  if (failures != 0) {
    std::printf("%d check(s) failed\n", failures);
    return 1;
  }
  std::printf("PASSED\n");
  return 0;
}
