#include "cli/status_recorder.h"

#include <condition_variable>
#include <mutex>

namespace cli {
namespace {

// A hook procedure has no context of its own, so its state is the module's. The mutex is
// taken only for the copy of one line; the hook never waits on the recording side.
struct State {
  std::mutex mutex;
  std::condition_variable added;
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
    std::lock_guard lock(s.mutex);
    hook = s.hook;
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_SETTEXT && message->hwnd == s.control && message->lParam) {
      std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - s.start;
      s.lines.push_back({elapsed.count(), WithoutLineEnd(reinterpret_cast<const char*>(message->lParam))});
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
  s.start = std::chrono::steady_clock::now();
}

std::vector<StatusLine> StatusRecorder::WaitBeyond(std::size_t seen, std::chrono::milliseconds timeout) {
  State& s = state();
  std::unique_lock lock(s.mutex);
  s.added.wait_for(lock, timeout, [&] { return s.lines.size() > seen; });
  return s.lines;
}

}  // namespace cli
