// Device-dependent bitmaps: 1 bpp (monochrome) or 32 bpp (colour).
#pragma once

#include <win32.h>

#include <cstdint>

namespace gdi {

// Largest bitmap side we create; larger requests fail with ERROR_NOT_ENOUGH_MEMORY.
constexpr int kMaxBitmapSide = 8192;

// Bytes per row in the Win32 device-dependent layout (rows padded to a WORD).
constexpr LONG ddb_row_bytes(LONG width, int bits_per_pixel) {
  return ((width * bits_per_pixel + 15) / 16) * 2;
}

}  // namespace gdi
