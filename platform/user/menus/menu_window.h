// The windows of open pop-up menus (class "#32768"): they show one menu each and never
// take the activation or the focus; the tracking loop does all the input handling.
#pragma once

#include <win32.h>

namespace win32::user {

// Lays the menu out and shows it with its top-left corner at `at` (screen), kept on
// the screen. Returns the window, or null.
HWND open_popup_window(HMENU menu, HWND owner, POINT at);

// The menu a pop-up window shows (null for other windows).
HMENU popup_window_menu(HWND popup);

// The open pop-up window showing `menu` on this thread, or null.
HWND popup_window_of(HMENU menu);

}  // namespace win32::user
