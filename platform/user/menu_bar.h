// What the menu code needs from the window system: a window's menu-bar handle, a way
// to change it (the frame is recomputed, so the client area shrinks or grows), a loader
// for a class's default menu at creation, the painter of the bar (frame_paint.h), and
// what the frame needs from the menu code: how many rows the bar wraps into.
#pragma once

#include <win32.h>

#include "class_registry.h"
#include "frame_paint.h"

namespace win32::user {

// Loads the menu a class names (lpszMenuName) when CreateWindowExA gets none.
using ClassMenuLoader = HMENU (*)(HINSTANCE instance, LPCSTR name);
void set_class_menu_loader(ClassMenuLoader loader);

// The menu bar of a top-level window; null for child windows (whose field is the id).
HMENU window_menu(HWND hwnd);

// Puts a menu bar on (or, with null, takes it off) a top-level window. False for child
// windows and dead handles.
bool set_window_menu(HWND hwnd, HMENU menu);

// The class menu for a new top-level window, or null. Called by CreateWindowExA.
HMENU load_class_menu(HINSTANCE instance, const WindowClass& cls);

// Counts the rows a window's menu bar needs when each row is `bar_width` pixels wide.
// The menu code registers the counter (it measures the items); without one, or without
// a menu, a bar has one row. Never call with the user lock held.
using MenuBarRowCounter = int (*)(HWND hwnd, int bar_width);
void set_menu_bar_row_counter(MenuBarRowCounter counter);
int count_menu_bar_rows(HWND hwnd, int bar_width);

// The rows the window's bar has now (as the last WM_NCCALCSIZE counted them); 0 for a
// window without a menu bar.
int window_menu_rows(HWND hwnd);

}  // namespace win32::user
