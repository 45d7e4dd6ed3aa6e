// Messages the queue makes on demand instead of storing: input, WM_PAINT and WM_TIMER.
// Retrieval asks for one after the posted messages and the quit request.
#pragma once

#include <win32.h>

#include "message_filter.h"
#include "message_queue.h"

namespace win32::user {

// Takes (or, without remove, looks at) the next generated message for the thread.
// REQUIRES: the user lock, held by `lock`.
bool take_generated_message(ThreadQueue& queue, const MessageFilter& filter, bool remove, MSG* out,
                            UserLock& lock);

// QS_* bits for what is waiting to be generated. REQUIRES: the user lock.
DWORD generated_message_status_locked(ThreadQueue& queue);

// Follow-up work after DispatchMessageA handed a message to its window.
void after_dispatch(const MSG& msg);

// Posting with the handle check (hwnd null: the calling thread).
BOOL post_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace win32::user
