// What the screen shows: the visible top-level windows with their surfaces, for a
// backend composing the screen.
#pragma once

#include <win32.h>

#include <memory>
#include <vector>

#include "gdi/surface.h"

namespace win32::user {

struct ScreenLayer {
  HWND window = nullptr;
  RECT screen_rect{};
  std::shared_ptr<gdi::Surface> surface;
};

// Bottom-most first. Takes the user lock.
std::vector<ScreenLayer> screen_layers();

// The surface and the part of it that shows `window` (its window rectangle in surface
// coordinates). False for a dead handle. Takes the user lock.
bool window_surface_area(HWND window, std::shared_ptr<gdi::Surface>* surface, RECT* area);

}  // namespace win32::user
