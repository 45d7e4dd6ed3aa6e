// Device contexts of windows: where a window's drawing lands in its top-level surface.
#pragma once

#include <win32.h>

#include <memory>

#include "gdi/surface.h"

namespace win32::user {

// The pixels behind all windows (what GetDC(NULL) draws on), the size of the screen.
std::shared_ptr<gdi::Surface> desktop_surface();

// A surface for a new top-level window of the given size.
std::shared_ptr<gdi::Surface> make_window_surface(int width, int height);

}  // namespace win32::user
