// Entering menu mode from the window defaults: Alt or F10, Alt+letter, and a click on
// the menu bar.
#pragma once

#include <win32.h>

namespace win32::user {

// DefWindowProcA's menu work: WM_NCLBUTTONDOWN on HTMENU, the Alt/F10 keys and
// WM_SYSCHAR become WM_SYSCOMMAND(SC_MOUSEMENU / SC_KEYMENU), which runs the menu loop.
// Returns false for messages it leaves to the rest of DefWindowProcA.
bool menu_default_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result);

// Runs menu mode on the window's bar: by keyboard (key 0: Alt or F10; else the
// mnemonic typed with Alt) or from a mouse press at `mouse_at` (screen).
void track_menu_bar(HWND owner, char key, const POINT* mouse_at);

}  // namespace win32::user
