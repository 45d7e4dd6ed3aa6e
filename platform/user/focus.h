// Focus, activation and mouse capture: one keyboard focus, one active top-level window
// and one capture for the whole process (the program has one GUI thread).
#pragma once

#include <win32.h>

namespace win32::user {

struct FocusState {
  HWND focus = nullptr;
  HWND active = nullptr;
  HWND capture = nullptr;
};

FocusState& focus_state_locked();  // REQUIRES: the user lock

// Activates a top-level window (null deactivates the program) with the messages Windows
// sends; `how` is WA_ACTIVE or WA_CLICKACTIVE. Called without the lock.
void activate(HWND top, int how);

// Before a window is hidden or destroyed: focus moves to the parent, activation to the
// owner or another top-level window, capture is released. Called without the lock.
void hand_on_focus_and_activation(HWND hwnd);

}  // namespace win32::user
