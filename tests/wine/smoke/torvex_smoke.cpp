// Smoke test of the Windows program, driven from another process as a person's tools
// would: start torvex.exe, find its main window by title, read the panel's controls
// (WM_GETTEXT crosses the process boundary), shorten the disk test, pick Run! and Exit by
// posting their menu commands, and check the results and the exit code.
// Usage: torvex_smoke <path of torvex.exe>. Exit code 0 when every check held.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr char kMainTitle[] = "TORVEX NT Benchmarks";
constexpr UINT kCommandExit = 4003;
constexpr UINT kCommandRun = 4004;
constexpr int kIdDriveList = 10000;
constexpr int kIdThreads = 10001;
constexpr int kIdBlocks = 10002;
constexpr int kIdRepeat = 10003;
constexpr int kIdResults[] = {10004, 10005, 10006};
constexpr int kIdStatus = 10007;
constexpr char kStatusComplete[] = "Benchmarks complete";
// Exit ends the program with 1, as its message loop's quit code.
constexpr DWORD kExitCodeOfExit = 1;

// Generous: Wine starts slowly on a busy machine, and the run is real work.
constexpr ULONGLONG kStartTimeoutMs = 120000;
constexpr ULONGLONG kRunTimeoutMs = 600000;
constexpr UINT kSendTimeoutMs = 30000;

// The panel's fixed texts and the values its fields start with.
struct ControlText {
  int id;
  const char* text;
};
constexpr ControlText kPanelTexts[] = {
    {100, "Disk Drive:"},   {102, "Threads:"},  {104, "Blocks:"},
    {10001, "1"},           {10002, "4096"},    {108, "Repeat:"},
    {10003, "1"},           {110, "Integer Performance:"},
    {10004, "-----"},       {112, "KDhry/s"},   {113, "Floating Point Performance:"},
    {114, "Disk Performance:"},                 {10005, "-----"},
    {10006, "-----"},       {117, "KWhet/s"},   {118, "Kbyte/s"},
    {10007, "Status: Not Running"},
};

int failures = 0;

void Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  ++failures;
}

struct TopLevelSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TopLevelSearch*>(lParam);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char title[64] = {};
  GetWindowTextA(hwnd, title, sizeof title);
  if (owner == search->processId && std::string(title) == kMainTitle) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindMainWindow(DWORD processId) {
  TopLevelSearch search{processId, nullptr};
  EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  int id;
  HWND found;
};

// EnumChildWindows visits every descendant, so the panel's controls are found below the
// frame without naming the panel.
BOOL CALLBACK MatchControlId(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<ChildSearch*>(lParam);
  if (GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindControl(HWND frame, int id) {
  ChildSearch search{id, nullptr};
  EnumChildWindows(frame, MatchControlId, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND window) {
  char text[256] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                           kSendTimeoutMs, &copied)) {
    return "<no answer>";
  }
  return std::string(text, copied);
}

bool SetText(HWND window, const char* text) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                             kSendTimeoutMs, &result) != 0 &&
         result != 0;
}

// A rate as the panel shows it: a whole number, or four significant digits in the
// shortest form ("132.5", "1.045e+04"); positive either way.
bool IsRate(const std::string& text) {
  if (text.empty() || text[0] < '0' || text[0] > '9') return false;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size() && value > 0.0;
}

// Picks drive C: in the list; Wine has no third drive for the program's default choice.
// Returns what went wrong, or an empty text.
std::string SelectDriveC(HWND list) {
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutA(list, LB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &count)) return "no answer";
  std::string entries;
  for (DWORD_PTR index = 0; index < count; ++index) {
    // Asked in UTF-16: Wine hands list-box texts across processes in that form even to
    // the narrow call.
    wchar_t wide[64] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide), SMTO_NORMAL,
                        kSendTimeoutMs, &length);
    std::string entry;
    for (const wchar_t* c = wide; *c != 0 && *c < 0x80; ++c) entry += static_cast<char>(*c);
    entries += " " + entry;
    if (entry == "[-c-]") {
      DWORD_PTR selected = 0;
      SendMessageTimeoutA(list, LB_SETCURSEL, index, 0, SMTO_NORMAL, kSendTimeoutMs, &selected);
      if (selected == index) return "";
      return "LB_SETCURSEL answered " + std::to_string(selected);
    }
  }
  return "no [-c-] among" + entries;
}

// Polls until `done` holds or the time is up; the program is in another process, so
// there is nothing to wait on but its windows.
template <class Condition>
bool WaitFor(ULONGLONG timeoutMs, Condition done) {
  const ULONGLONG start = GetTickCount64();
  while (!done()) {
    if (GetTickCount64() - start > timeoutMs) return false;
    Sleep(100);
  }
  return true;
}

void CheckPanel(HWND frame) {
  for (const ControlText& expected : kPanelTexts) {
    HWND control = FindControl(frame, expected.id);
    if (control == nullptr) {
      Fail("control " + std::to_string(expected.id) + " missing");
      continue;
    }
    const std::string text = TextOf(control);
    if (text != expected.text) {
      Fail("control " + std::to_string(expected.id) + " reads \"" + text + "\", expected \"" + expected.text + "\"");
    }
  }
}

// Runs the benchmarks with one thread and a short disk test, and checks the results.
void RunOnce(HWND frame) {
  HWND threads = FindControl(frame, kIdThreads);
  HWND blocks = FindControl(frame, kIdBlocks);
  HWND repeat = FindControl(frame, kIdRepeat);
  HWND list = FindControl(frame, kIdDriveList);
  HWND status = FindControl(frame, kIdStatus);
  if (!threads || !blocks || !repeat || !list || !status) return Fail("panel controls for the run missing");
  if (!SetText(threads, "1") || !SetText(blocks, "16") || !SetText(repeat, "1")) Fail("setting the run's fields");
  const std::string driveProblem = SelectDriveC(list);
  if (!driveProblem.empty()) return Fail("selecting drive C: in the drive list: " + driveProblem);

  if (!PostMessageA(frame, WM_COMMAND, MAKEWPARAM(kCommandRun, 0), 0)) return Fail("posting Run!");
  std::string last;
  const bool complete = WaitFor(kRunTimeoutMs, [&] {
    last = TextOf(status);
    return last == kStatusComplete;
  });
  if (!complete) return Fail("status never read \"" + std::string(kStatusComplete) + "\"; last: \"" + last + "\"");
  for (int id : kIdResults) {
    const std::string text = TextOf(FindControl(frame, id));
    std::printf("result %d: %s\n", id, text.c_str());
    if (!IsRate(text)) Fail("result " + std::to_string(id) + " is not a number: \"" + text + "\"");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::printf("usage: torvex_smoke <torvex.exe>\n");
    return 2;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = std::string("\"") + argv[1] + "\"";
  if (!CreateProcessA(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::printf("FAILED: cannot start %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  WaitForInputIdle(process.hProcess, static_cast<DWORD>(kStartTimeoutMs));

  HWND frame = nullptr;
  // The panel is made after the main window shows; its last control marks it complete.
  const bool started = WaitFor(kStartTimeoutMs, [&] {
    frame = FindMainWindow(process.dwProcessId);
    return frame != nullptr && FindControl(frame, kIdDriveList) != nullptr;
  });
  if (!started) {
    Fail("no main window titled \"" + std::string(kMainTitle) + "\" with its panel");
    TerminateProcess(process.hProcess, 99);
  } else {
    CheckPanel(frame);
    RunOnce(frame);
    if (!PostMessageA(frame, WM_COMMAND, MAKEWPARAM(kCommandExit, 0), 0)) Fail("posting Exit");
  }

  if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(kStartTimeoutMs)) != WAIT_OBJECT_0) {
    Fail("the program did not end after Exit");
    TerminateProcess(process.hProcess, 99);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  if (exitCode != kExitCodeOfExit) Fail("exit code " + std::to_string(exitCode) + ", expected 1");
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  if (failures != 0) {
    std::printf("%d check(s) failed\n", failures);
    return 1;
  }
  std::printf("PASSED\n");
  return 0;
}
