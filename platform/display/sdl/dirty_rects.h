// The changed parts of one window's pixels waiting to be copied to the desktop. Overlapping
// or touching rectangles merge; past kMaxRects everything becomes one bounding box, so a
// burst of small paints costs one copy rather than many.
#pragma once

#include <win32.h>

#include <vector>

namespace display::sdl {

class DirtyRects {
 public:
  static constexpr size_t kMaxRects = 8;

  // Adds `r` clipped to `bounds` (the surface); empty results are ignored.
  void add(const RECT& r, const RECT& bounds);
  bool empty() const { return rects_.empty(); }
  // The rectangles, disjoint or at least never contained in one another; leaves this empty.
  std::vector<RECT> take();

 private:
  std::vector<RECT> rects_;
};

}  // namespace display::sdl
