// The person's input. Backends (and the headless test interface) call the input_*
// entry points from any thread; the event goes to the queue of the thread that owns the
// window it is for, and becomes a mouse or keyboard message when that thread retrieves
// it. Input never reaches a disabled window or one behind a modal owner (which is
// disabled); a click there only beeps.
#pragma once

#include <win32.h>

#include "message_filter.h"
#include "message_queue.h"

namespace win32::user {

void input_mouse_move(POINT screen);
void input_mouse_button(int button, bool down);  // 0 left, 1 right, 2 middle
// The wheel turned by `delta` (WHEEL_DELTA per notch, positive away from the person). It
// goes to the focus window, not the one under the mouse, as on Windows.
void input_mouse_wheel(int delta);
// `typed` is the character the desktop's keyboard layout types with this key down (its
// ANSI code), or -1 to let TranslateMessage work it out from the key and shift state.
void input_key(UINT vk, bool down, int typed = -1);

// Takes the next input message for the thread, converting it first (hit testing,
// WM_SETCURSOR, click activation). REQUIRES: the user lock, held by `lock`.
bool take_input_message(ThreadQueue& queue, const MessageFilter& filter, bool remove, MSG* out, UserLock& lock);

}  // namespace win32::user
