// Messages made on demand, in Windows' order after posted messages and the quit
// request: input first, then WM_PAINT for the first window that needs painting (a
// window whose only damage is its frame gets WM_NCPAINT on the spot instead).
#include "generated_messages.h"

#include "input.h"
#include "paint.h"
#include "send_message.h"
#include "window_tree.h"

namespace win32::user {

bool take_generated_message(ThreadQueue& queue, const MessageFilter& filter, bool remove, MSG* out,
                            UserLock& lock) {
  if (take_input_message(queue, filter, remove, out, lock)) return true;
  for (;;) {
    HWND hwnd = window_to_paint_locked(queue.thread_id, filter);
    if (!hwnd) return false;
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
  return status;
}

void after_dispatch(const MSG&) {}

}  // namespace win32::user
