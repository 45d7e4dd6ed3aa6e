// Rectangle unions for clipping and regions.
#include "gdi/clip_region.h"

#include <algorithm>

namespace gdi {

bool rect_empty(const RECT& r) { return r.left >= r.right || r.top >= r.bottom; }

RECT rect_intersection(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (rect_empty(r)) return RECT{0, 0, 0, 0};
  return r;
}

RECT rect_normalized(const RECT& r) {
  return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

namespace {

// Appends the parts of `piece` that lie outside `hole` (at most four rectangles).
void append_difference(const RECT& piece, const RECT& hole, std::vector<RECT>& out) {
  RECT cut = rect_intersection(piece, hole);
  if (rect_empty(cut)) {
    out.push_back(piece);
    return;
  }
  if (piece.top < cut.top) out.push_back(RECT{piece.left, piece.top, piece.right, cut.top});
  if (cut.bottom < piece.bottom)
    out.push_back(RECT{piece.left, cut.bottom, piece.right, piece.bottom});
  if (piece.left < cut.left) out.push_back(RECT{piece.left, cut.top, cut.left, cut.bottom});
  if (cut.right < piece.right) out.push_back(RECT{cut.right, cut.top, piece.right, cut.bottom});
}

}  // namespace

void ClipRegion::add(const RECT& rect) {
  if (rect_empty(rect)) return;
  // Only the parts not yet covered are added, which keeps the rectangles disjoint.
  std::vector<RECT> pieces{rect};
  for (const RECT& have : rects_) {
    std::vector<RECT> rest;
    for (const RECT& p : pieces) append_difference(p, have, rest);
    pieces.swap(rest);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void ClipRegion::add(const ClipRegion& other) {
  for (const RECT& r : other.rects_) add(r);
}

void ClipRegion::subtract(const RECT& rect) {
  if (rect_empty(rect)) return;
  std::vector<RECT> rest;
  for (const RECT& have : rects_) append_difference(have, rect, rest);
  rects_.swap(rest);
}

void ClipRegion::subtract(const ClipRegion& other) {
  for (const RECT& r : other.rects_) subtract(r);
}

void ClipRegion::intersect(const RECT& rect) {
  std::vector<RECT> kept;
  for (const RECT& have : rects_) {
    RECT cut = rect_intersection(have, rect);
    if (!rect_empty(cut)) kept.push_back(cut);
  }
  rects_.swap(kept);
}

void ClipRegion::intersect(const ClipRegion& other) {
  // Both sides are disjoint, so the pairwise intersections are disjoint too.
  std::vector<RECT> kept;
  for (const RECT& a : rects_)
    for (const RECT& b : other.rects_) {
      RECT cut = rect_intersection(a, b);
      if (!rect_empty(cut)) kept.push_back(cut);
    }
  rects_.swap(kept);
}

void ClipRegion::offset(int dx, int dy) {
  for (RECT& r : rects_) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

bool ClipRegion::contains(int x, int y) const {
  for (const RECT& r : rects_)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

RECT ClipRegion::bounds() const {
  if (rects_.empty()) return RECT{0, 0, 0, 0};
  RECT b = rects_.front();
  for (const RECT& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

int ClipRegion::kind() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace gdi
