// Creating bitmaps and reading their bits. Colour bitmaps are stored as 32-bit pixels
// whatever depth they were created with; the bits given are in the Win32 row layout
// (top-down rows, each padded to a WORD; 1 bpp: most significant bit leftmost, 1 white).
#include "gdi/bitmaps.h"

#include <algorithm>
#include <memory>

#include "gdi/device_context.h"
#include "gdi/gdi_error.h"
#include "gdi/objects.h"

using gdi::Lock;

namespace {

gdi::Pixel read_pixel(const BYTE* row, int x, UINT bpp) {
  switch (bpp) {
    case 1: return (row[x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFF : 0x000000;
    case 16: {
      // 5-5-5: bits 10-14 red, 5-9 green, 0-4 blue.
      unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
      auto expand = [](unsigned c) { return (c << 3) | (c >> 2); };
      return (expand((v >> 10) & 31) << 16) | (expand((v >> 5) & 31) << 8) | expand(v & 31);
    }
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    default:
      return row[4 * x] | (row[4 * x + 1] << 8) | (static_cast<gdi::Pixel>(row[4 * x + 2]) << 16);
  }
}

HBITMAP make_bitmap(int width, int height, UINT bpp, const void* bits) {
  if (width < 0 || height < 0) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  // An empty bitmap is the shared 1x1 monochrome one, as Win32 hands out.
  if (width == 0 || height == 0) return gdi::default_bitmap();
  if (width > gdi::kMaxBitmapSide || height > gdi::kMaxBitmapSide) {
    gdi::set_error(gdi::kErrorNotEnoughMemory);
    return nullptr;
  }
  int stored_bpp = bpp == 1 ? 1 : 32;
  auto bitmap = std::make_shared<gdi::Bitmap>(width, height, stored_bpp);
  if (bits) {
    const BYTE* src = static_cast<const BYTE*>(bits);
    LONG stride = gdi::ddb_row_bytes(width, static_cast<int>(bpp));
    for (int y = 0; y < height; ++y) {
      gdi::Pixel* out = bitmap->pixels->row(y);
      for (int x = 0; x < width; ++x) out[x] = read_pixel(src + y * stride, x, bpp);
    }
  }
  return gdi::handle_cast<HBITMAP>(gdi::insert_object(bitmap));
}

}  // namespace

HBITMAP WINAPI CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                            const void* bits) {
  if (planes != 1 || (bitsPerPixel != 1 && bitsPerPixel != 16 && bitsPerPixel != 24 &&
                      bitsPerPixel != 32)) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  Lock lock;
  return make_bitmap(width, height, bitsPerPixel, bits);
}

HBITMAP WINAPI CreateBitmapIndirect(const BITMAP* pbm) {
  if (!pbm) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  return CreateBitmap(pbm->bmWidth, pbm->bmHeight, pbm->bmPlanes, pbm->bmBitsPixel, pbm->bmBits);
}

HBITMAP WINAPI CreateCompatibleBitmap(HDC hdc, int width, int height) {
  Lock lock;
  std::shared_ptr<gdi::DeviceContext> dc = gdi::find_dc(hdc);
  if (!dc) return nullptr;
  // A memory DC is as deep as the bitmap selected into it: the fresh one's 1x1
  // monochrome bitmap makes a monochrome result, exactly the Win32 trap.
  return make_bitmap(width, height, dc->monochrome ? 1 : 32, nullptr);
}

LONG WINAPI GetBitmapBits(HBITMAP hbm, LONG cb, LPVOID bits) {
  Lock lock;
  std::shared_ptr<gdi::Bitmap> bm = gdi::find_bitmap(hbm);
  if (!bm) return 0;
  const gdi::Surface& px = *bm->pixels;
  LONG stride = gdi::ddb_row_bytes(px.width(), bm->bits_per_pixel);
  LONG total = stride * px.height();
  if (!bits) return total;
  if (cb <= 0) return 0;
  BYTE* out = static_cast<BYTE*>(bits);
  LONG written = std::min(cb, total);
  std::fill_n(out, written, BYTE{0});
  std::lock_guard pixels_lock(px.mutex());
  for (LONG i = 0; i < written; ++i) {
    int y = static_cast<int>(i / stride);
    LONG offset = i % stride;
    if (bm->monochrome()) {
      for (int bit = 0; bit < 8; ++bit) {
        int x = static_cast<int>(offset * 8 + bit);
        if (x < px.width() && px.at(x, y) != 0) out[i] |= static_cast<BYTE>(0x80 >> bit);
      }
    } else if (offset / 4 < px.width()) {
      gdi::Pixel p = px.at(static_cast<int>(offset / 4), y);
      out[i] = static_cast<BYTE>(p >> (8 * (offset % 4)));
    }
  }
  return written;
}
