// Drawing the non-client area: frame, caption (active or inactive) with its buttons,
// and the menu bar's background, into the window's surface.
#pragma once

#include <win32.h>

namespace win32::user {

void paint_frame(HWND hwnd);

// The menu code draws the items of a menu bar; until it registers, the bar stays blank.
using MenuBarPainter = void (*)(HWND hwnd, HDC window_dc, const RECT& bar);
void set_menu_bar_painter(MenuBarPainter painter);

// Whether the window's caption shows as active. REQUIRES: the user lock.
bool caption_active_locked(HWND hwnd);

}  // namespace win32::user
