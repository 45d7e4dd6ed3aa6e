// Posting and retrieving. Retrieval order is Windows': calls sent from other threads are
// serviced first, then posted messages come out, then the quit request (only when no
// posted message is left that the filter wants), then input, painting and timers.
#include <algorithm>
#include <chrono>
#include <optional>

#include "display/backend.h"
#include "generated_messages.h"
#include "last_error.h"
#include "message_filter.h"
#include "message_queue.h"
#include "send_message.h"
#include "window_tree.h"

namespace win32::user {

bool MessageFilter::wants_window_locked(HWND target) const {
  if (!hwnd) return true;
  if (hwnd == reinterpret_cast<HWND>(-1)) return target == nullptr;
  return target == hwnd || is_descendant_locked(hwnd, target);
}

namespace {

MSG make_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  msg.time = message_clock();
  DWORD pos = message_position_locked();
  msg.pt.x = GET_X_LPARAM(pos);
  msg.pt.y = GET_Y_LPARAM(pos);
  return msg;
}

void post_locked(ThreadQueue& queue, const MSG& msg) {
  queue.posted.push_back(msg);
  queue.signal();
}

bool take_posted_locked(ThreadQueue& queue, const MessageFilter& filter, bool remove, MSG* out) {
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (!filter.wants_locked(*it)) continue;
    *out = *it;
    if (remove) queue.posted.erase(it);
    return true;
  }
  return false;
}

bool take_quit_locked(ThreadQueue& queue, bool remove, MSG* out) {
  if (!queue.quit_requested) return false;
  *out = make_message(nullptr, WM_QUIT, static_cast<WPARAM>(queue.quit_code), 0);
  if (remove) queue.quit_requested = false;
  return true;
}

enum class Mode { Wait, Peek };

// Sleeps until something arrives, telling anyone who waits for this thread to go idle.
// A thread with timers sleeps only until the next one is due.
void wait_idle(ThreadQueue& queue, UserLock& lock) {
  queue.idle = true;
  idle_changed().notify_all();
  // Timers already due were not wanted by this retrieval's filter: they wake nothing.
  auto now = std::chrono::steady_clock::now();
  std::optional<std::chrono::steady_clock::time_point> next;
  for (const Timer& t : queue.timers)
    if (t.due > now && (!next || t.due < *next)) next = t.due;
  if (next)
    queue.wake.wait_until(lock, *next);
  else
    queue.wake.wait(lock);
  queue.idle = false;
}

// One retrieval: TRUE with *out filled, or FALSE when peeking found nothing.
BOOL retrieve(MSG* out, const MessageFilter& filter, bool remove, Mode mode) {
  auto queue = current_queue();
  display::backend().pump_input();
  UserLock lock(user_lock());
  for (;;) {
    std::uint64_t seen = queue->signals;
    deliver_sent_messages(*queue, lock);
    bool found = take_posted_locked(*queue, filter, remove, out) ||
                 take_quit_locked(*queue, remove, out) ||
                 take_generated_message(*queue, filter, remove, out, lock);
    if (found) {
      queue->last_message_time = static_cast<LONG>(out->time);
      queue->last_message_pos = static_cast<DWORD>(MAKELONG(out->pt.x, out->pt.y));
      return TRUE;
    }
    if (mode == Mode::Peek) return FALSE;
    if (queue->incoming.empty() && queue->signals == seen) {
      wait_idle(*queue, lock);
      // A desktop backend may have woken us with work for this thread's windows.
      lock.unlock();
      display::backend().pump_input();
      lock.lock();
    }
  }
}

// Checks the window filter. Returns false (error set) for a dead window handle.
bool valid_filter(HWND hwnd) {
  if (!hwnd || hwnd == reinterpret_cast<HWND>(-1)) return true;
  UserLock lock(user_lock());
  return window_locked(hwnd) != nullptr;
}

}  // namespace

BOOL post_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!hwnd) {
    auto queue = current_queue();
    UserLock lock(user_lock());
    post_locked(*queue, make_message(nullptr, message, wparam, lparam));
    return TRUE;
  }
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  auto queue = queue_of_thread_locked(w->thread_id);
  if (!queue) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  post_locked(*queue, make_message(hwnd, message, wparam, lparam));
  return TRUE;
}

}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI PostMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return post_message(hwnd, message, wparam, lparam);
}

BOOL WINAPI PostThreadMessageA(DWORD thread_id, UINT message, WPARAM wparam, LPARAM lparam) {
  if (thread_id == current_thread_id()) current_queue();
  UserLock lock(user_lock());
  auto queue = queue_of_thread_locked(thread_id);
  if (!queue) return fail(ERROR_INVALID_THREAD_ID, FALSE);
  post_locked(*queue, make_message(nullptr, message, wparam, lparam));
  return TRUE;
}

VOID WINAPI PostQuitMessage(int exit_code) {
  auto queue = current_queue();
  UserLock lock(user_lock());
  queue->quit_requested = true;
  queue->quit_code = exit_code;
}

BOOL WINAPI GetMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max) {
  if (!msg) return fail(ERROR_INVALID_PARAMETER, -1);
  if (!valid_filter(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, -1);
  retrieve(msg, MessageFilter{hwnd, min, max}, true, Mode::Wait);
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI PeekMessageA(LPMSG msg, HWND hwnd, UINT min, UINT max, UINT flags) {
  if (!msg) return fail(ERROR_INVALID_PARAMETER, FALSE);
  if (!valid_filter(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  return retrieve(msg, MessageFilter{hwnd, min, max}, (flags & PM_REMOVE) != 0, Mode::Peek);
}

BOOL WINAPI WaitMessage(void) {
  auto queue = current_queue();
  UserLock lock(user_lock());
  MessageFilter any;
  MSG msg;
  for (;;) {
    std::uint64_t seen = queue->signals;
    if (!queue->incoming.empty()) {
      deliver_sent_messages(*queue, lock);
      return TRUE;
    }
    if (!queue->posted.empty() || queue->quit_requested ||
        take_generated_message(*queue, any, false, &msg, lock))
      return TRUE;
    if (queue->signals == seen) wait_idle(*queue, lock);
  }
}

LRESULT WINAPI DispatchMessageA(const MSG* msg) {
  if (!msg) return fail(ERROR_INVALID_PARAMETER, LRESULT{0});
  if (msg->message == WM_TIMER && msg->lParam) {
    // A timer with a callback runs the callback instead of the window procedure.
    auto callback = reinterpret_cast<TIMERPROC>(msg->lParam);
    callback(msg->hwnd, msg->message, msg->wParam, message_clock());
    return 0;
  }
  if (!msg->hwnd) return 0;
  WNDPROC proc = nullptr;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(msg->hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, LRESULT{0});
    if (w->thread_id != current_thread_id()) return fail(ERROR_WINDOW_OF_OTHER_THREAD, LRESULT{0});
    proc = w->proc;
  }
  if (!proc) return 0;
  LRESULT result = proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  after_dispatch(*msg);
  return result;
}

LONG WINAPI GetMessageTime(void) {
  auto queue = current_queue();
  UserLock lock(user_lock());
  return queue->last_message_time;
}

DWORD WINAPI GetMessagePos(void) {
  auto queue = current_queue();
  UserLock lock(user_lock());
  return queue->last_message_pos;
}

DWORD WINAPI GetQueueStatus(UINT flags) {
  auto queue = current_queue();
  UserLock lock(user_lock());
  DWORD status = 0;
  if (!queue->posted.empty() || queue->quit_requested) status |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
  if (!queue->incoming.empty()) status |= QS_SENDMESSAGE;
  status |= generated_message_status_locked(*queue);
  status &= flags;
  return static_cast<DWORD>(MAKELONG(status, status));
}
