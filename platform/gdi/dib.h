// Reading device-independent bitmaps (a BITMAPINFOHEADER, a colour table for 8 bpp and
// less, then rows padded to a DWORD, bottom-up unless the height is negative), as icon,
// cursor and bitmap resources store them. Every read is bounds-checked.
#pragma once

#include <win32.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/surface.h"

namespace gdi {

// Largest DIB side accepted; larger images are refused as malformed.
constexpr int kMaxDibSide = 8192;

struct DibImage {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 0;
  std::vector<Pixel> pixels;           // top-down, row-major
  std::vector<std::uint8_t> alpha;     // 32 bpp only: the fourth byte of each pixel
  std::size_t end = 0;                 // offset just past the pixel rows
};

// Reads the header and `rows` rows of pixels (rows = 0: the header's height). False for
// anything malformed or truncated.
bool read_dib(const BYTE* data, std::size_t size, int rows, DibImage& out);

// A bitmap made from a DIB: monochrome for 1 bpp, colour otherwise. Null if malformed.
HBITMAP bitmap_from_dib(const BYTE* data, std::size_t size);

}  // namespace gdi
