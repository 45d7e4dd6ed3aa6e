// Visibility and the other window states that creation and destruction touch.
#pragma once

#include <win32.h>

namespace win32::user {

// Shows a window created with WS_VISIBLE, with the show command CreateWindowExA chose.
void show_new_window(HWND hwnd, int show_command);

// Takes a window about to be destroyed off the screen and hands on focus and activation.
void prepare_for_destroy(HWND hwnd);

// The desktop maximized (or restored) a top-level window itself: the window takes that
// state and the rectangle the desktop gave it, with the messages ShowWindow would send.
// `restore` is where a later SW_RESTORE puts a maximized window.
void take_desktop_maximized(HWND hwnd, bool maximized, const RECT& rect, const RECT& restore);

}  // namespace win32::user
