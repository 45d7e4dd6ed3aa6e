// Merging the changed rectangles of one window between two copies to the desktop.
#include <gtest/gtest.h>

#include <algorithm>

#include "display/sdl/dirty_rects.h"

using display::sdl::DirtyRects;

namespace {

const RECT kSurface{0, 0, 640, 480};

bool same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool covers(const std::vector<RECT>& rects, const RECT& r) {
  return std::any_of(rects.begin(), rects.end(), [&](const RECT& c) {
    return c.left <= r.left && c.top <= r.top && c.right >= r.right && c.bottom >= r.bottom;
  });
}

TEST(DirtyRects, ClipsToTheSurfaceAndIgnoresEmptyRectangles) {
  DirtyRects d;
  d.add(RECT{10, 10, 10, 50}, kSurface);
  d.add(RECT{700, 10, 800, 50}, kSurface);
  d.add(RECT{30, 30, 20, 40}, kSurface);
  EXPECT_TRUE(d.empty());
  d.add(RECT{-20, -5, 30, 1000}, kSurface);
  auto rects = d.take();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_TRUE(same(rects[0], RECT{0, 0, 30, 480}));
  EXPECT_TRUE(d.empty()) << "take leaves nothing behind";
}

TEST(DirtyRects, OverlappingAndTouchingRectanglesMergeDisjointOnesStaySeparate) {
  DirtyRects d;
  d.add(RECT{0, 0, 10, 10}, kSurface);
  d.add(RECT{5, 5, 20, 20}, kSurface);     // overlaps the first
  d.add(RECT{20, 0, 30, 5}, kSurface);     // touches the merged one's edge
  d.add(RECT{100, 100, 110, 110}, kSurface);  // far away
  auto rects = d.take();
  ASSERT_EQ(rects.size(), 2u);
  EXPECT_TRUE(covers(rects, RECT{0, 0, 30, 20}));
  EXPECT_TRUE(covers(rects, RECT{100, 100, 110, 110}));
}

TEST(DirtyRects, AMergeThatBridgesTwoEarlierRectanglesSwallowsBoth) {
  DirtyRects d;
  d.add(RECT{0, 0, 10, 10}, kSurface);
  d.add(RECT{50, 0, 60, 10}, kSurface);
  d.add(RECT{8, 2, 52, 8}, kSurface);
  auto rects = d.take();
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_TRUE(same(rects[0], RECT{0, 0, 60, 10}));
}

TEST(DirtyRects, ABurstOfSmallPaintsBecomesOneBoundingBox) {
  DirtyRects d;
  std::vector<RECT> added;
  for (int i = 0; i <= static_cast<int>(DirtyRects::kMaxRects); ++i) {
    RECT r{i * 40, i * 20, i * 40 + 5, i * 20 + 5};
    added.push_back(r);
    d.add(r, kSurface);
  }
  auto rects = d.take();
  ASSERT_EQ(rects.size(), 1u);
  for (const RECT& r : added) EXPECT_TRUE(covers(rects, r));
}

TEST(DirtyRects, EveryAddedPixelStaysCovered) {
  DirtyRects d;
  std::vector<RECT> added;
  unsigned seed = 7;
  auto next = [&](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<unsigned>(n));
  };
  for (int i = 0; i < 200; ++i) {
    int x = next(600), y = next(440);
    RECT r{x, y, x + 1 + next(40), y + 1 + next(40)};
    added.push_back(r);
    d.add(r, kSurface);
    if (i % 37 == 36) {
      auto rects = d.take();
      EXPECT_LE(rects.size(), DirtyRects::kMaxRects);
      for (const RECT& a : added) EXPECT_TRUE(covers(rects, a));
      added.clear();
    }
  }
}

}  // namespace
