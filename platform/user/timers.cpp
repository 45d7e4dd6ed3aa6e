// SetTimer and KillTimer. Timers belong to the calling thread's queue; a window's timers
// end with the window.
#include <algorithm>
#include <chrono>

#include "last_error.h"
#include "message_queue.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

constexpr UINT kMinimumInterval = 10;
constexpr UINT kMaximumInterval = 0x7FFFFFFF;
constexpr UINT_PTR kFirstThreadTimerId = 0x7FFF0000;

UINT_PTR next_thread_timer_id = kFirstThreadTimerId;  // guarded by the user lock

}  // namespace
}  // namespace win32::user

using namespace win32::user;

UINT_PTR WINAPI SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  auto queue = current_queue();
  UserLock lock(user_lock());
  if (hwnd) {
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, UINT_PTR{0});
    if (w->thread_id != queue->thread_id) return fail(ERROR_ACCESS_DENIED, UINT_PTR{0});
  } else {
    id = next_thread_timer_id++;
  }
  Timer timer{hwnd, id, std::clamp(elapse, kMinimumInterval, kMaximumInterval), proc, {}};
  timer.due = std::chrono::steady_clock::now() + std::chrono::milliseconds(timer.interval_ms);
  auto same = std::find_if(queue->timers.begin(), queue->timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (same != queue->timers.end())
    *same = timer;
  else
    queue->timers.push_back(timer);
  queue->signal();
  return id ? id : 1;
}

BOOL WINAPI KillTimer(HWND hwnd, UINT_PTR id) {
  auto queue = current_queue();
  UserLock lock(user_lock());
  auto before = queue->timers.size();
  std::erase_if(queue->timers, [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  return queue->timers.size() != before ? TRUE : FALSE;
}
