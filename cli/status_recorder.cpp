#include "cli/status_recorder.h"

#include <condition_variable>
#include <mutex>

namespace cli {
namespace {

// The run command's text before the disk test, and the start of the test's last line,
// written after its delete phase.
constexpr char kDiskTestStart[] = "Running Disk Benchmark";
constexpr char kDiskTestTotal[] = "Total Disk test time";

// A hook procedure has no context of its own, so its state is the module's. The mutex is
// taken only for the copy of one line; the hook never waits on the recording side, except
// to park for good after Ctrl+C (the wait gives the mutex up).
struct State {
  std::mutex mutex;
  std::condition_variable added;
  std::condition_variable released;  // never notified: a parked thread stays parked
  bool (*parkRequested)() = nullptr;
  bool inDiskTest = false;
  bool parked = false;
  std::vector<StatusLine> lines;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  HWND control = nullptr;
  HHOOK hook = nullptr;
};

State& state() {
  static State* s = new State;  // never destroyed: the hook may run while statics end
  return *s;
}

std::string WithoutLineEnd(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

LRESULT CALLBACK RecordStatus(int code, WPARAM wParam, LPARAM lParam) {
  State& s = state();
  HHOOK hook;
  {
    std::unique_lock lock(s.mutex);
    hook = s.hook;
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SETTEXT && message->hwnd == s.control && message->lParam) {
      // Parked before the line is recorded, so the run it belongs to never counts as done.
      if (!s.inDiskTest && s.parkRequested && s.parkRequested()) {
        s.parked = true;
        s.added.notify_all();
        s.released.wait(lock, [] { return false; });
      }
      std::string text = WithoutLineEnd(reinterpret_cast<const char*>(message->lParam));
      if (text == kDiskTestStart) s.inDiskTest = true;
      else if (text.rfind(kDiskTestTotal, 0) == 0) s.inDiskTest = false;
      std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - s.start;
      s.lines.push_back({elapsed.count(), std::move(text)});
      s.added.notify_all();
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

}  // namespace

bool StatusRecorder::Install(HWND statusControl) {
  DWORD thread = GetWindowThreadProcessId(statusControl, nullptr);
  State& s = state();
  {
    std::lock_guard lock(s.mutex);
    s.control = statusControl;
  }
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordStatus, nullptr, thread);
  std::lock_guard lock(s.mutex);
  s.hook = hook;
  return hook != nullptr;
}

void StatusRecorder::Uninstall() {
  State& s = state();
  HHOOK hook;
  {
    std::lock_guard lock(s.mutex);
    hook = s.hook;
    s.control = nullptr;
  }
  if (hook) UnhookWindowsHookEx(hook);
}

void StatusRecorder::Restart() {
  State& s = state();
  std::lock_guard lock(s.mutex);
  s.lines.clear();
  s.inDiskTest = false;
  s.start = std::chrono::steady_clock::now();
}

std::vector<StatusLine> StatusRecorder::WaitBeyond(std::size_t seen, std::chrono::milliseconds timeout) {
  State& s = state();
  std::unique_lock lock(s.mutex);
  s.added.wait_for(lock, timeout, [&] { return s.lines.size() > seen || s.parked; });
  return s.lines;
}

void StatusRecorder::ParkWhen(bool (*requested)()) {
  State& s = state();
  std::lock_guard lock(s.mutex);
  s.parkRequested = requested;
}

bool StatusRecorder::Parked() const {
  State& s = state();
  std::lock_guard lock(s.mutex);
  return s.parked;
}

}  // namespace cli
