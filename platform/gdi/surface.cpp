// Pixel storage for windows and bitmaps.
#include "gdi/surface.h"

#include <algorithm>

namespace gdi {

namespace {
int clamp_side(int side) { return std::clamp(side, 0, Surface::kMaxSide); }
}  // namespace

Surface::Surface(int width, int height, Pixel fill)
    : width_(clamp_side(width)),
      height_(clamp_side(height)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

Pixel Surface::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void Surface::set(int x, int y, Pixel p) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * width_ + x] = p;
}

void Surface::resize(int width, int height, Pixel fill) {
  width = clamp_side(width);
  height = clamp_side(height);
  if (width == width_ && height == height_) return;
  std::vector<Pixel> next(static_cast<std::size_t>(width) * height, fill);
  int keep_w = std::min(width, width_);
  int keep_h = std::min(height, height_);
  for (int y = 0; y < keep_h; ++y)
    std::copy_n(row(y), keep_w, next.data() + static_cast<std::size_t>(y) * width);
  pixels_ = std::move(next);
  width_ = width;
  height_ = height;
}

}  // namespace gdi
