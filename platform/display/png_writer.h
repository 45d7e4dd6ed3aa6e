// Screenshots: a surface, or a rectangle of it, written as an RGB PNG file.
#pragma once

#include <win32.h>

#include <string>

#include "gdi/surface.h"

namespace display {

// Writes `area` of the surface (the whole surface when null; clipped to the surface) to
// `path`. Takes the surface's lock while it copies the pixels. False when the area is
// empty or the file cannot be written.
bool write_png(const gdi::Surface& surface, const std::string& path, const RECT* area = nullptr);

}  // namespace display
