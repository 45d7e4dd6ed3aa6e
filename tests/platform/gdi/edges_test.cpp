// 3-D edges and focus rectangles.
#include "gdi_fixture.h"

namespace {

using gdi_test::kPaper;

constexpr gdi::Pixel kWhite = 0xFFFFFF, kShadow = 0x808080, kDark = 0x000000, kLight = 0xDFDFDF,
                     kFace = 0xC0C0C0;

class Edges : public gdi_test::SurfaceTest {};

TEST_F(Edges, RaisedEdgeIsLightTopLeftAndDarkBottomRight) {
  RECT r{10, 10, 30, 20};
  EXPECT_TRUE(DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  EXPECT_EQ(px(10, 10), kLight);   // outer top-left
  EXPECT_EQ(px(29, 19), kDark);    // outer bottom-right
  EXPECT_EQ(px(11, 11), kWhite);   // inner top-left
  EXPECT_EQ(px(28, 18), kShadow);  // inner bottom-right
  EXPECT_EQ(px(20, 15), kFace);    // middle
  EXPECT_TRUE(untouched_outside(RECT{10, 10, 30, 20}));
  EXPECT_EQ(r.left, 12);
  EXPECT_EQ(r.bottom, 18);
}

TEST_F(Edges, SunkenEdgeIsTheOppositeAndSidesCanBeLeftOut) {
  RECT r{0, 0, 10, 10};
  EXPECT_TRUE(DrawEdge(hdc, &r, EDGE_SUNKEN, BF_RECT));
  EXPECT_EQ(px(0, 0), kShadow);
  EXPECT_EQ(px(9, 9), kWhite);
  EXPECT_EQ(px(1, 1), kDark);
  EXPECT_EQ(px(8, 8), kLight);
  EXPECT_EQ(px(5, 5), kPaper);
  RECT top_only{20, 20, 30, 30};
  EXPECT_TRUE(DrawEdge(hdc, &top_only, BDR_SUNKENOUTER, BF_TOP));
  EXPECT_EQ(count(kShadow, RECT{20, 20, 30, 30}), 10);  // a lone top line spans the width
  EXPECT_FALSE(DrawEdge(hdc, nullptr, EDGE_RAISED, BF_RECT));
}

TEST_F(Edges, FocusRectIsDottedAndVanishesWhenDrawnTwice) {
  RECT r{5, 5, 15, 11};
  EXPECT_TRUE(DrawFocusRect(hdc, &r));
  int dots = count(0x000000);
  EXPECT_GT(dots, 10);
  EXPECT_LT(dots, 28);
  EXPECT_TRUE(untouched_outside(r));
  EXPECT_EQ(px(10, 8), kPaper);
  EXPECT_TRUE(DrawFocusRect(hdc, &r));
  EXPECT_EQ(count(kPaper), kWidth * kHeight);
  EXPECT_FALSE(DrawFocusRect(hdc, nullptr));
}

}  // namespace
