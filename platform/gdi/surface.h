// A surface is the pixel store GDI draws into: a top-level window's whole window
// rectangle, or the pixels of a bitmap. Pixels are 32-bit 0x00RRGGBB values (blue in the
// low byte, the top byte always zero), rows top-down, no padding. Win32 COLORREFs are
// 0x00BBGGRR, so every colour crossing the Win32 boundary goes through to_pixel /
// to_colorref.
//
// Locking: whoever reads or writes pixels holds mutex(). GDI takes it for each drawing
// operation; a display backend takes it while it copies pixels out. Nobody may call into
// GDI while holding it.
#pragma once

#include <win32.h>

#include <cstdint>
#include <mutex>
#include <vector>

namespace gdi {

using Pixel = std::uint32_t;

constexpr Pixel to_pixel(COLORREF c) {
  return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr COLORREF to_colorref(Pixel p) {
  return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
}

class Surface {
 public:
  // Largest width or height a surface may have; larger requests are clamped to it.
  static constexpr int kMaxSide = 16384;

  Surface(int width, int height, Pixel fill = 0);

  int width() const { return width_; }
  int height() const { return height_; }
  RECT bounds() const { return RECT{0, 0, width_, height_}; }

  // REQUIRES: 0 <= y < height(); mutex() held.
  Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  const Pixel* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
  // Out-of-range coordinates read as 0 and ignore writes.
  Pixel at(int x, int y) const;
  void set(int x, int y, Pixel p);

  // Changes the size, keeping the pixels that still fit at the same place; new pixels get
  // the fill colour. REQUIRES: mutex() held.
  void resize(int width, int height, Pixel fill = 0);

  std::mutex& mutex() const { return mutex_; }

 private:
  int width_;
  int height_;
  std::vector<Pixel> pixels_;
  mutable std::mutex mutex_;
};

}  // namespace gdi
