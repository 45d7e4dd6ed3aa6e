// Pixel rules of the basic drawing calls, checked as properties: where the ink lands,
// the corners, coverage, and that nothing outside the clip is touched.
#include "gdi_fixture.h"

namespace {

using gdi_test::kInk;
using gdi_test::kPaper;
using gdi_test::SurfaceTest;

constexpr gdi::Pixel kRed = 0xFF0000;
constexpr gdi::Pixel kBlue = 0x0000FF;

class Shapes : public SurfaceTest {};

TEST_F(Shapes, FillRectCoversLeftTopButNotRightBottom) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT r{5, 6, 15, 10};
  EXPECT_TRUE(FillRect(hdc, &r, red));
  EXPECT_EQ(px(5, 6), kRed);
  EXPECT_EQ(px(14, 9), kRed);
  EXPECT_EQ(px(15, 9), kPaper);
  EXPECT_EQ(px(14, 10), kPaper);
  EXPECT_EQ(count(kRed), 10 * 4);
  EXPECT_TRUE(untouched_outside(r));
  DeleteObject(red);
}

TEST_F(Shapes, FillRectAcceptsSystemColourPlusOne) {
  RECT r{0, 0, 4, 4};
  EXPECT_TRUE(FillRect(hdc, &r, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)));
  EXPECT_EQ(px(0, 0), 0xC0C0C0u);
  EXPECT_EQ(count(0xC0C0C0), 16);
}

TEST_F(Shapes, FrameRectDrawsOnePixelBorderOnly) {
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT r{10, 10, 20, 16};
  EXPECT_TRUE(FrameRect(hdc, &r, blue));
  EXPECT_EQ(px(10, 10), kBlue);
  EXPECT_EQ(px(19, 15), kBlue);
  EXPECT_EQ(px(20, 15), kPaper);
  EXPECT_EQ(px(11, 11), kPaper);
  EXPECT_EQ(count(kBlue), 2 * 10 + 2 * 4);
  EXPECT_TRUE(untouched_outside(r));
  DeleteObject(blue);
}

TEST_F(Shapes, RectangleFramesWithPenAndFillsWithBrush) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  HGDIOBJ old_brush = SelectObject(hdc, red);
  EXPECT_TRUE(Rectangle(hdc, 2, 3, 12, 9));
  // Default black pen: the frame is the outermost pixels of [2,12) x [3,9).
  EXPECT_EQ(px(2, 3), kInk);
  EXPECT_EQ(px(11, 8), kInk);
  EXPECT_EQ(px(12, 8), kPaper);
  EXPECT_EQ(count(kInk), 2 * 10 + 2 * 4);
  EXPECT_EQ(count(kRed), 8 * 4);
  EXPECT_TRUE(untouched_outside(RECT{2, 3, 12, 9}));
  SelectObject(hdc, old_brush);
  DeleteObject(red);
}

TEST_F(Shapes, RectangleWithNullPenIsOnePixelSmaller) {
  SelectObject(hdc, GetStockObject(NULL_PEN));
  SelectObject(hdc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(Rectangle(hdc, 0, 0, 10, 5));
  EXPECT_EQ(count(kInk), 9 * 4);
  EXPECT_TRUE(untouched_outside(RECT{0, 0, 9, 4}));
}

TEST_F(Shapes, LineToLeavesOutTheLastPixelAndMovesThePosition) {
  MoveToEx(hdc, 3, 5, nullptr);
  EXPECT_TRUE(LineTo(hdc, 13, 5));
  EXPECT_EQ(px(3, 5), kInk);
  EXPECT_EQ(px(12, 5), kInk);
  EXPECT_EQ(px(13, 5), kPaper);
  EXPECT_EQ(count(kInk), 10);
  POINT at{};
  GetCurrentPositionEx(hdc, &at);
  EXPECT_EQ(at.x, 13);
  EXPECT_EQ(at.y, 5);
  // A closed path drawn with LineTo touches every corner exactly once.
  LineTo(hdc, 13, 15);
  LineTo(hdc, 3, 15);
  LineTo(hdc, 3, 5);
  EXPECT_EQ(count(kInk), 40);
}

TEST_F(Shapes, DiagonalLineIsConnectedAndEndsBeforeTheEndPoint) {
  MoveToEx(hdc, 0, 0, nullptr);
  LineTo(hdc, 20, 10);
  EXPECT_EQ(px(0, 0), kInk);
  EXPECT_EQ(px(20, 10), kPaper);
  EXPECT_EQ(count(kInk), 20);  // one pixel per step along the major axis
  for (int x = 0; x < 20; ++x) EXPECT_GE(count(kInk, RECT{x, 0, x + 1, 11}), 1) << x;
}

TEST_F(Shapes, DashedPenLeavesGapsInBackgroundColour) {
  HPEN dash = CreatePen(PS_DASH, 1, RGB(255, 0, 0));
  SelectObject(hdc, dash);
  SetBkColor(hdc, RGB(0, 0, 255));
  MoveToEx(hdc, 0, 1, nullptr);
  LineTo(hdc, 48, 1);
  EXPECT_GT(count(kRed), 0);
  EXPECT_GT(count(kBlue), 0);
  EXPECT_EQ(count(kRed) + count(kBlue), 48);
  SetBkMode(hdc, TRANSPARENT);
  MoveToEx(hdc, 0, 3, nullptr);
  LineTo(hdc, 48, 3);
  EXPECT_EQ(count(kBlue, RECT{0, 3, 64, 4}), 0);
  SelectObject(hdc, GetStockObject(BLACK_PEN));
  DeleteObject(dash);
}

TEST_F(Shapes, XorPenTwiceRestoresTheSurface) {
  RECT r{0, 0, 64, 48};
  FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SetROP2(hdc, R2_XORPEN);
  SelectObject(hdc, GetStockObject(WHITE_PEN));
  for (int pass = 0; pass < 2; ++pass) {
    MoveToEx(hdc, 1, 1, nullptr);
    LineTo(hdc, 40, 30);
    if (pass == 0) {
      EXPECT_EQ(px(1, 1), 0x7F7F7Fu);
    }
  }
  EXPECT_EQ(count(0x808080), 64 * 48);
}

TEST_F(Shapes, InvertRectAndDstInvertFlipEveryPixelOnce) {
  RECT r{4, 4, 20, 20};
  InvertRect(hdc, &r);
  EXPECT_EQ(count(kInk), 16 * 16);
  EXPECT_TRUE(PatBlt(hdc, 4, 4, 16, 16, DSTINVERT));
  EXPECT_EQ(count(kPaper), 64 * 48);
}

TEST_F(Shapes, PatBltPaintsTheSelectedBrushAndRefusesSourceOperations) {
  SelectObject(hdc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(PatBlt(hdc, 10, 10, -5, 5, PATCOPY));  // negative width counts leftwards
  EXPECT_EQ(count(kInk), 25);
  EXPECT_TRUE(untouched_outside(RECT{5, 10, 10, 15}));
  EXPECT_FALSE(PatBlt(hdc, 0, 0, 5, 5, SRCCOPY));
  EXPECT_TRUE(PatBlt(hdc, 0, 0, 2, 2, BLACKNESS));
  EXPECT_EQ(px(1, 1), kInk);
}

TEST_F(Shapes, HatchBrushDrawsLinesAndGaps) {
  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(255, 0, 0));
  SetBkColor(hdc, RGB(0, 0, 255));
  RECT r{0, 0, 16, 16};
  FillRect(hdc, &r, hatch);
  EXPECT_GT(count(kRed, r), 16);
  EXPECT_GT(count(kBlue, r), 16);
  EXPECT_EQ(count(kRed, r) + count(kBlue, r), 256);
  SetBkMode(hdc, TRANSPARENT);
  RECT r2{20, 0, 36, 16};
  FillRect(hdc, &r2, hatch);
  EXPECT_EQ(count(kBlue, r2), 0);
  EXPECT_EQ(count(kRed, r2) + count(kPaper, r2), 256);
  DeleteObject(hatch);
}

TEST_F(Shapes, EllipseStaysInsideItsBoxAndTouchesEachSide) {
  SelectObject(hdc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(Ellipse(hdc, 10, 10, 30, 24));
  EXPECT_TRUE(untouched_outside(RECT{10, 10, 30, 24}));
  EXPECT_EQ(px(10, 10), kPaper);  // corners stay clear
  EXPECT_EQ(px(20, 17), kInk);    // centre is filled
  EXPECT_GT(count(kInk, RECT{10, 10, 11, 24}), 0);
  EXPECT_GT(count(kInk, RECT{29, 10, 30, 24}), 0);
  EXPECT_GT(count(kInk, RECT{10, 10, 30, 11}), 0);
  EXPECT_GT(count(kInk, RECT{10, 23, 30, 24}), 0);
}

TEST_F(Shapes, SetPixelAndGetPixelRoundTrip) {
  EXPECT_EQ(SetPixel(hdc, 7, 8, RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(hdc, 7, 8), RGB(1, 2, 3));
  EXPECT_EQ(px(7, 8), 0x010203u);
  EXPECT_EQ(GetPixel(hdc, -1, 0), CLR_INVALID);
  EXPECT_EQ(SetPixel(hdc, 64, 0, 0), CLR_INVALID);
}

TEST_F(Shapes, FarAwayCoordinatesAreClippedQuickly) {
  MoveToEx(hdc, -2000000000, -2000000000, nullptr);
  EXPECT_TRUE(LineTo(hdc, 2000000000, 2000000000));
  EXPECT_GT(count(kInk), 40);
  RECT huge{-2147483647, -2147483647, 2147483647, 2147483647};
  EXPECT_TRUE(FillRect(hdc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_EQ(count(kInk), 64 * 48);
  EXPECT_TRUE(PatBlt(hdc, 2147483000, 0, 2147483000, 10, WHITENESS));
  EXPECT_TRUE(Ellipse(hdc, -2147483647, -2147483647, 2147483647, 2147483647));
}

class Clipping : public SurfaceTest {};

TEST_F(Clipping, DrawingStaysInsideTheVisibleRegion) {
  gdi::ClipRegion visible(RECT{0, 0, 10, 10});
  visible.add(RECT{30, 20, 40, 30});
  ASSERT_TRUE(gdi::SetSurfaceDCVisible(hdc, POINT{0, 0}, visible));
  RECT all{0, 0, 64, 48};
  FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(count(kInk), 200);
  EXPECT_EQ(count(kInk, RECT{0, 0, 10, 10}), 100);
  EXPECT_EQ(count(kInk, RECT{30, 20, 40, 30}), 100);
  MoveToEx(hdc, 0, 40, nullptr);
  LineTo(hdc, 64, 40);
  EXPECT_EQ(count(kInk), 200);
}

TEST_F(Clipping, OriginMovesLogicalZeroAndClipRectNarrows) {
  ASSERT_TRUE(gdi::SetSurfaceDCVisible(hdc, POINT{20, 10}, gdi::ClipRegion(RECT{20, 10, 50, 40})));
  RECT r{0, 0, 5, 5};
  FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(px(20, 10), kInk);
  EXPECT_EQ(count(kInk), 25);
  EXPECT_EQ(IntersectClipRect(hdc, 10, 10, 12, 12), SIMPLEREGION);
  RECT box{};
  EXPECT_EQ(GetClipBox(hdc, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 10);
  EXPECT_EQ(box.bottom, 12);
  RECT big{0, 0, 30, 30};
  FillRect(hdc, &big, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  EXPECT_EQ(count(0x808080), 4);
  EXPECT_EQ(px(30, 20), 0x808080u);
  SetViewportOrgEx(hdc, 1, 1, nullptr);
  SelectClipRgn(hdc, nullptr);
  RECT one{0, 0, 1, 1};
  FillRect(hdc, &one, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  EXPECT_EQ(px(21, 11), kPaper);
}

TEST_F(Clipping, XorThroughOverlappingVisibleRectsInvertsOnce) {
  gdi::ClipRegion visible(RECT{0, 0, 20, 20});
  visible.add(RECT{10, 10, 30, 30});
  gdi::SetSurfaceDCVisible(hdc, POINT{0, 0}, visible);
  RECT all{0, 0, 64, 48};
  InvertRect(hdc, &all);
  EXPECT_EQ(count(kInk), 400 + 400 - 100);
}

}  // namespace
