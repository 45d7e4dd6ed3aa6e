// What the window manager (platform/user) needs from GDI to paint windows. Platform-only:
// nothing above the platform sees this header.
//
// A window DC draws into the surface of a top-level window. The window manager decides
// where the DC's (0,0) lies in that surface (the client or window origin of the window,
// in surface pixels) and which part of the surface the DC may touch (the visible region:
// the window's area minus clipped children and siblings, intersected with the update
// region while painting). GDI never looks at windows; it only draws where it is told.
//
// Surfaces are 0x00RRGGBB pixels (see gdi/surface.h).
#pragma once

#include <win32.h>

#include <memory>

#include "gdi/clip_region.h"
#include "gdi/surface.h"

namespace gdi {

// A new DC with the default state (BLACK_PEN, WHITE_BRUSH, SYSTEM_FONT, white background,
// black text, OPAQUE, MM_TEXT). `origin` is device (0,0) in surface coordinates; `visible`
// is in surface coordinates. Returns null when the surface is null or the table is full.
HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, ClipRegion visible);

// Releases a DC made by CreateSurfaceDC (the objects selected into it stay alive).
// FALSE for any other handle. DeleteDC refuses these DCs, as Win32 refuses DCs from GetDC.
BOOL DestroySurfaceDC(HDC hdc);

// Moves a surface DC and changes where it may draw (for example after the window moved,
// or to narrow painting to the update region). FALSE for any other handle.
BOOL SetSurfaceDCVisible(HDC hdc, POINT origin, ClipRegion visible);

// Points a surface DC at another surface (a top-level window's surface is replaced or
// resized). FALSE for any other handle.
BOOL SetSurfaceDCSurface(HDC hdc, std::shared_ptr<Surface> surface);

// The screen size GetDeviceCaps(HORZRES/VERTRES) reports; the display layer sets it at
// start-up. Default 1024 x 768.
void SetScreenSize(int width, int height);
SIZE GetScreenSize();

// A window class's background brush may be a system colour index plus one
// (COLOR_BTNFACE + 1). Returns the system-colour brush for such a value, the brush
// itself for a live brush handle, and null for anything else.
HBRUSH ResolveBrush(HBRUSH brush);

}  // namespace gdi
