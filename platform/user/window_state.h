// Visibility and the other window states that creation and destruction touch.
#pragma once

#include <win32.h>

namespace win32::user {

// Shows a window created with WS_VISIBLE, with the show command CreateWindowExA chose.
void show_new_window(HWND hwnd, int show_command);

// Takes a window about to be destroyed off the screen and hands on focus and activation.
void prepare_for_destroy(HWND hwnd);

}  // namespace win32::user
