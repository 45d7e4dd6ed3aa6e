// Messages made on demand, in Windows' order after posted messages and the quit
// request: input first, then WM_PAINT for the first window that needs painting (a
// window whose only damage is its frame gets WM_NCPAINT on the spot instead).
#include "generated_messages.h"

#include "input.h"
#include "paint.h"
#include "send_message.h"
#include "window_tree.h"

namespace win32::user {

namespace {

bool take_timer_locked(ThreadQueue& queue, const MessageFilter& filter, bool remove, MSG* out) {
  if (!filter.wants_message(WM_TIMER)) return false;
  auto now = std::chrono::steady_clock::now();
  for (Timer& t : queue.timers) {
    if (t.due > now || !filter.wants_window_locked(t.hwnd)) continue;
    *out = MSG{};
    out->hwnd = t.hwnd;
    out->message = WM_TIMER;
    out->wParam = t.id;
    out->lParam = reinterpret_cast<LPARAM>(t.proc);
    out->time = message_clock();
    if (remove) t.due = now + std::chrono::milliseconds(t.interval_ms);
    return true;
  }
  return false;
}

}  // namespace

bool take_generated_message(ThreadQueue& queue, const MessageFilter& filter, bool remove, MSG* out,
                            UserLock& lock) {
  if (take_input_message(queue, filter, remove, out, lock)) return true;
  for (;;) {
    HWND hwnd = window_to_paint_locked(queue.thread_id, filter);
    if (!hwnd) return take_timer_locked(queue, filter, remove, out);
    Window* w = window_locked(hwnd);
    if (w->update.empty()) {
      lock.unlock();
      paint_frame_if_pending(hwnd);
      lock.lock();
      continue;
    }
    *out = MSG{};
    out->hwnd = hwnd;
    out->message = WM_PAINT;
    out->time = message_clock();
    return true;
  }
}

DWORD generated_message_status_locked(ThreadQueue& queue) {
  DWORD status = 0;
  for (const InputEvent& e : queue.input) status |= e.kind == InputEvent::Kind::Key ? QS_KEY : QS_MOUSEBUTTON;
  if (window_to_paint_locked(queue.thread_id, MessageFilter{})) status |= QS_PAINT;
  auto now = std::chrono::steady_clock::now();
  for (const Timer& t : queue.timers)
    if (t.due <= now) status |= QS_TIMER;
  return status;
}

void after_dispatch(const MSG&) {}

}  // namespace win32::user
