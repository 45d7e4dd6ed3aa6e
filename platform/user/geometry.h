// Where windows are: conversions between a window's own coordinates, the screen and its
// top-level window's surface, and the part of the surface a window may draw on.
// Everything here requires the user lock.
#pragma once

#include <win32.h>

#include "gdi/clip_region.h"
#include "window.h"

namespace win32::user {

POINT client_origin_on_screen_locked(const Window& w);
RECT window_rect_on_screen_locked(const Window& w);
RECT client_rect_on_screen_locked(const Window& w);

// The top-level window that owns the surface w draws into.
Window* surface_owner_locked(const Window& w);

// Screen position of the surface's (0,0).
POINT surface_origin_on_screen_locked(const Window& w);

// The part of w's window area (or client area) it may draw on now, in surface
// coordinates: clipped to its ancestors' client areas, without siblings above it when
// it has WS_CLIPSIBLINGS, and (client area only) without its children when it has
// WS_CLIPCHILDREN. Empty when w or an ancestor is hidden or minimized.
gdi::ClipRegion visible_region_locked(const Window& w, bool client_area);

// Whether w and all its ancestors are visible.
bool really_visible_locked(const Window& w);

// The deepest visible window under a screen point, or null. Disabled children are not
// entered: the point belongs to their parent, as Windows does.
HWND window_from_point_locked(POINT screen);

}  // namespace win32::user
