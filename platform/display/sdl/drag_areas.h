// What a press on a part of a window's frame means to the desktop's window manager: the
// caption drags the window, a thick frame's edges and corners resize it, everything else
// (caption buttons, the system-menu icon, the menu bar, the client area) stays with the
// program. The window manager does the drag; the program learns the outcome through the
// ordinary move and size messages.
#pragma once

#include <win32.h>

namespace display::sdl {

enum class DragArea { None, Move, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

// The area for the platform's hit-test code (WM_NCHITTEST's answer). A disabled window
// (the owner of a modal box) and a maximized one are never dragged.
DragArea drag_area(LRESULT hit, bool enabled, bool maximized);

}  // namespace display::sdl
