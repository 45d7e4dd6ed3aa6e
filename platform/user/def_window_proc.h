// Pieces of the default window procedure that other areas of the window system provide.
#pragma once

#include <win32.h>

#include "window.h"

namespace win32::user {

// Whether the window has a menu bar in its non-client area. REQUIRES: the user lock.
bool window_has_menu_bar_locked(const Window& w);

// The rows of that menu bar (0 without one). REQUIRES: the user lock.
int menu_rows_locked(const Window& w);

// The caption text changed: the frame needs repainting.
void after_caption_change(HWND hwnd);

// Default handling of the messages DefWindowProcA itself does not pick out.
LRESULT default_window_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace win32::user
