// Sending: a call into a window procedure, directly on the window's own thread (through
// the WH_CALLWNDPROC chain first), or queued to the owner thread with the sender
// blocked until the owner services it.
#pragma once

#include <win32.h>

#include "message_queue.h"

namespace win32::user {

// Runs the hooks and then the window's current procedure on the calling thread. The
// procedure is read after the hooks, so one a hook installs receives this message.
// `from_this_thread` is what the hooks see in wParam. Returns 0 for a dead window.
LRESULT call_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                              bool from_this_thread);

// SendMessageA without the handle check: the window system's own sends use it.
LRESULT send_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

// Services every call other threads are waiting on. REQUIRES: the user lock, held by
// `lock`; it is released while each procedure runs.
void deliver_sent_messages(ThreadQueue& queue, UserLock& lock);

}  // namespace win32::user
