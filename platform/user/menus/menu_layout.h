// Where the items of a menu lie and how they are drawn: the menu bar inside a window's
// non-client area and pop-up menus in their own windows. Owner-drawn items are measured
// and drawn by the menu's owner window (WM_MEASUREITEM, WM_DRAWITEM with ODT_MENU).
#pragma once

#include <win32.h>

#include "menu_object.h"

namespace win32::user {

constexpr int kPopupFrame = 3;

// Lays out the bar items inside `bar` (window coordinates), in as many rows as they
// need, and stores their rectangles.
void layout_menu_bar(HMENU menu, HWND owner, const RECT& bar);
// The rows the bar items need when each row is `bar_width` pixels wide (at least one).
int count_bar_rows(HMENU menu, HWND owner, int bar_width);
void paint_menu_bar(HMENU menu, HWND owner, HDC window_dc, const RECT& bar);

// Lays out a pop-up's items from (kPopupFrame, kPopupFrame) and returns the size of the
// window that shows them.
SIZE layout_popup(HMENU menu, HWND owner);
void paint_popup(HMENU menu, HWND owner, HDC hdc, const RECT& client);

// The bar rectangle of a window with a menu, all its rows, in window coordinates (empty
// without).
RECT menu_bar_rect(HWND hwnd);

}  // namespace win32::user
