// Hooks between the menu bar and the window frame.
#pragma once

#include <win32.h>

namespace win32::user {

// Hands the frame painter the function that draws menu bar items.
void install_menu_bar_painter();

// Repaints the frame (and so the bar) of the window now.
void redraw_menu_bar(HWND hwnd);

}  // namespace win32::user
