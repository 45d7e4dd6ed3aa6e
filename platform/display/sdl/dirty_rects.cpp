#include "display/sdl/dirty_rects.h"

#include <algorithm>

namespace display::sdl {
namespace {

bool touches(const RECT& a, const RECT& b) {
  return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

RECT bounding(const RECT& a, const RECT& b) {
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

}  // namespace

void DirtyRects::add(const RECT& r, const RECT& bounds) {
  RECT c{std::max(r.left, bounds.left), std::max(r.top, bounds.top), std::min(r.right, bounds.right),
         std::min(r.bottom, bounds.bottom)};
  if (c.left >= c.right || c.top >= c.bottom) return;
  // Merging can make the grown rectangle touch one merged earlier, so repeat until stable.
  for (bool merged = true; merged;) {
    merged = false;
    for (auto it = rects_.begin(); it != rects_.end(); ++it) {
      if (touches(*it, c)) {
        c = bounding(*it, c);
        rects_.erase(it);
        merged = true;
        break;
      }
    }
  }
  rects_.push_back(c);
  if (rects_.size() > kMaxRects) {
    RECT all = rects_.front();
    for (const RECT& x : rects_) all = bounding(all, x);
    rects_.assign(1, all);
  }
}

std::vector<RECT> DirtyRects::take() {
  std::vector<RECT> out;
  out.swap(rects_);
  return out;
}

}  // namespace display::sdl
