// Bit-block transfers: copies between memory and window DCs, raster operations,
// monochrome/colour conversion, stretching, mirroring and overlap.
#include <vector>

#include "gdi_fixture.h"

namespace {

using gdi_test::kInk;
using gdi_test::kPaper;

constexpr gdi::Pixel kRed = 0xFF0000;
constexpr gdi::Pixel kBlue = 0x0000FF;

// A 32 bpp bitmap whose pixel (x, y) is colour(x, y) (a COLORREF).
template <typename Fn>
HBITMAP colour_bitmap(int w, int h, Fn colour) {
  std::vector<BYTE> bits(static_cast<std::size_t>(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      COLORREF c = colour(x, y);
      BYTE* p = &bits[(static_cast<std::size_t>(y) * w + x) * 4];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
      p[3] = 0;
    }
  return CreateBitmap(w, h, 1, 32, bits.data());
}

class Blit : public gdi_test::SurfaceTest {
 protected:
  void SetUp() override {
    SurfaceTest::SetUp();
    mem = CreateCompatibleDC(hdc);
  }
  void TearDown() override {
    DeleteDC(mem);
    SurfaceTest::TearDown();
  }
  HDC mem = nullptr;
};

TEST_F(Blit, CopiesABitmapToTheWindowAndOnlyItsTopLeftWhenCutOff) {
  HBITMAP bm = colour_bitmap(4, 3, [](int x, int y) { return RGB(x * 10, y * 10, 7); });
  HGDIOBJ old = SelectObject(mem, bm);
  ASSERT_NE(old, nullptr);
  EXPECT_TRUE(BitBlt(hdc, 10, 20, 4, 3, mem, 0, 0, SRCCOPY));
  EXPECT_EQ(px(10, 20), 0x000007u);
  EXPECT_EQ(px(13, 22), (30u << 16) | (20u << 8) | 7u);
  EXPECT_TRUE(untouched_outside(RECT{10, 20, 14, 23}));
  // A destination larger than the bitmap gets only what the bitmap has.
  EXPECT_TRUE(BitBlt(hdc, 30, 30, 10, 10, mem, 0, 0, SRCCOPY));
  EXPECT_EQ(count(kPaper, RECT{30, 30, 40, 40}), 100 - 12);
  SelectObject(mem, old);
  DeleteObject(bm);
}

TEST_F(Blit, CopiesFromTheWindowIntoABitmap) {
  RECT r{5, 5, 9, 9};
  FillRect(hdc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  HBITMAP bm = CreateCompatibleBitmap(hdc, 8, 8);
  SelectObject(mem, bm);
  PatBlt(mem, 0, 0, 8, 8, WHITENESS);
  EXPECT_TRUE(BitBlt(mem, 0, 0, 8, 8, hdc, 3, 3, SRCCOPY));
  EXPECT_EQ(GetPixel(mem, 2, 2), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mem, 1, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mem, 6, 6), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mem, 8, 0), CLR_INVALID);
  SelectObject(mem, GetStockObject(BLACK_PEN));  // not a bitmap: leaves bm selected
  DeleteDC(mem);
  mem = CreateCompatibleDC(hdc);
  EXPECT_TRUE(DeleteObject(bm));
}

TEST_F(Blit, MonochromeSourcePaintsTextAndBackgroundColours) {
  const BYTE bits[] = {0xF0, 0x00, 0x0F, 0x00};  // 8x2: row 0 left half white
  HBITMAP mono = CreateBitmap(8, 2, 1, 1, bits);
  SelectObject(mem, mono);
  SetTextColor(hdc, RGB(255, 0, 0));
  SetBkColor(hdc, RGB(0, 0, 255));
  EXPECT_TRUE(BitBlt(hdc, 0, 0, 8, 2, mem, 0, 0, SRCCOPY));
  EXPECT_EQ(px(0, 0), kBlue);  // 1 bit -> background colour
  EXPECT_EQ(px(7, 0), kRed);   // 0 bit -> text colour
  EXPECT_EQ(px(0, 1), kRed);
  EXPECT_EQ(px(7, 1), kBlue);
  DeleteDC(mem);
  mem = CreateCompatibleDC(hdc);
  DeleteObject(mono);
}

TEST_F(Blit, ColourSourceBecomesWhiteWhereItMatchesItsBackground) {
  RECT all{0, 0, 64, 48};
  FillRect(hdc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  SetPixel(hdc, 1, 0, RGB(255, 0, 0));
  SetBkColor(hdc, RGB(255, 0, 0));
  HBITMAP mono = CreateBitmap(4, 1, 1, 1, nullptr);
  SelectObject(mem, mono);
  EXPECT_TRUE(BitBlt(mem, 0, 0, 4, 1, hdc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(mem, 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mem, 1, 0), RGB(255, 255, 255));
  DeleteDC(mem);
  mem = CreateCompatibleDC(hdc);
  DeleteObject(mono);
}

TEST_F(Blit, RasterOperationsCombineSourceAndDestination) {
  // Destination columns: black, white; source rows: black, white.
  struct Case {
    DWORD rop;
    gdi::Pixel expect[2][2];  // [source][destination]
  };
  const Case cases[] = {
      {SRCCOPY, {{0, 0}, {kPaper, kPaper}}},
      {SRCAND, {{0, 0}, {0, kPaper}}},
      {SRCPAINT, {{0, kPaper}, {kPaper, kPaper}}},
      {SRCINVERT, {{0, kPaper}, {kPaper, 0}}},
      {NOTSRCCOPY, {{kPaper, kPaper}, {0, 0}}},
      {DSTINVERT, {{kPaper, 0}, {kPaper, 0}}},
      {BLACKNESS, {{0, 0}, {0, 0}}},
      {WHITENESS, {{kPaper, kPaper}, {kPaper, kPaper}}},
  };
  HBITMAP src = colour_bitmap(2, 2, [](int, int y) { return y ? RGB(255, 255, 255) : 0; });
  SelectObject(mem, src);
  for (const Case& c : cases) {
    for (int y = 0; y < 2; ++y) {
      SetPixel(hdc, 0, y, 0);
      SetPixel(hdc, 1, y, RGB(255, 255, 255));
    }
    EXPECT_TRUE(BitBlt(hdc, 0, 0, 2, 2, mem, 0, 0, c.rop));
    for (int s = 0; s < 2; ++s)
      for (int d = 0; d < 2; ++d) EXPECT_EQ(px(d, s), c.expect[s][d]) << std::hex << c.rop;
  }
  DeleteDC(mem);
  mem = CreateCompatibleDC(hdc);
  DeleteObject(src);
}

TEST_F(Blit, PatternOperationsUseTheDestinationBrush) {
  SelectObject(hdc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(BitBlt(hdc, 0, 0, 4, 4, nullptr, 0, 0, PATCOPY));
  EXPECT_EQ(count(kInk), 16);
  EXPECT_FALSE(BitBlt(hdc, 0, 0, 4, 4, nullptr, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 4, 4, mem, 0, 0, SRCCOPY));
}

TEST_F(Blit, StretchEnlargesShrinksAndMirrors) {
  HBITMAP bm = colour_bitmap(2, 2, [](int x, int y) { return (x + y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255); });
  SelectObject(mem, bm);
  EXPECT_TRUE(StretchBlt(hdc, 0, 0, 8, 8, mem, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(count(kBlue, RECT{0, 0, 4, 4}), 16);
  EXPECT_EQ(count(kRed, RECT{4, 0, 8, 4}), 16);
  EXPECT_EQ(count(kBlue, RECT{4, 4, 8, 8}), 16);
  EXPECT_TRUE(untouched_outside(RECT{0, 0, 8, 8}));
  // Mirrored horizontally (source x 2, width -2 covers columns 0-1): the first column
  // comes from the source's last.
  EXPECT_TRUE(StretchBlt(hdc, 20, 0, 2, 2, mem, 2, 0, -2, 2, SRCCOPY));
  EXPECT_EQ(px(20, 0), kRed);
  EXPECT_EQ(px(21, 0), kBlue);
  SetStretchBltMode(hdc, COLORONCOLOR);
  EXPECT_EQ(GetStretchBltMode(hdc), COLORONCOLOR);
  EXPECT_TRUE(StretchBlt(hdc, 30, 0, 1, 1, mem, 0, 0, 2, 2, SRCCOPY));
  EXPECT_EQ(px(30, 0), kBlue);
  DeleteDC(mem);
  mem = CreateCompatibleDC(hdc);
  DeleteObject(bm);
}

TEST_F(Blit, ShrinkingKeepsBlackOnWhiteByDefault) {
  HBITMAP bm = colour_bitmap(4, 4, [](int x, int y) { return x == 1 && y == 2 ? 0 : RGB(255, 255, 255); });
  SelectObject(mem, bm);
  EXPECT_EQ(GetStretchBltMode(hdc), BLACKONWHITE);
  EXPECT_TRUE(StretchBlt(hdc, 0, 0, 1, 1, mem, 0, 0, 4, 4, SRCCOPY));
  EXPECT_EQ(px(0, 0), kInk);  // the one black pixel survives
  DeleteDC(mem);
  mem = CreateCompatibleDC(hdc);
  DeleteObject(bm);
}

TEST_F(Blit, OverlappingCopyWithinOneSurfaceScrolls) {
  for (int x = 0; x < 10; ++x) SetPixel(hdc, x, 0, RGB(x, 0, 0));
  EXPECT_TRUE(BitBlt(hdc, 2, 0, 8, 1, hdc, 0, 0, SRCCOPY));
  for (int x = 2; x < 10; ++x) EXPECT_EQ(GetPixel(hdc, x, 0), RGB(x - 2, 0, 0)) << x;
}

TEST_F(Blit, DestinationIsClippedToTheVisibleRegion) {
  gdi::SetSurfaceDCVisible(hdc, POINT{0, 0}, gdi::ClipRegion(RECT{0, 0, 3, 3}));
  SelectObject(hdc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(PatBlt(hdc, 0, 0, 10, 10, PATCOPY));
  EXPECT_EQ(count(kInk), 9);
}

}  // namespace
