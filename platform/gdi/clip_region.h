// A region as a union of rectangles, kept pairwise disjoint so that walking the
// rectangles visits every pixel exactly once (an XOR drawn through it inverts each pixel
// once). Used for the visible region of window DCs, clip regions and HRGN objects.
// Rectangles follow the Win32 rule: right and bottom edges are excluded.
#pragma once

#include <win32.h>

#include <vector>

namespace gdi {

class ClipRegion {
 public:
  ClipRegion() = default;
  explicit ClipRegion(const RECT& rect) { add(rect); }

  void add(const RECT& rect);
  void add(const ClipRegion& other);
  void subtract(const RECT& rect);
  void subtract(const ClipRegion& other);
  void intersect(const RECT& rect);
  void intersect(const ClipRegion& other);
  void offset(int dx, int dy);
  void clear() { rects_.clear(); }

  bool empty() const { return rects_.empty(); }
  bool contains(int x, int y) const;
  // The smallest rectangle holding the region; all zero when empty.
  RECT bounds() const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int kind() const;
  const std::vector<RECT>& rects() const { return rects_; }

 private:
  std::vector<RECT> rects_;
};

bool rect_empty(const RECT& r);
RECT rect_intersection(const RECT& a, const RECT& b);
// Orders left/right and top/bottom so that left <= right and top <= bottom.
RECT rect_normalized(const RECT& r);

}  // namespace gdi
