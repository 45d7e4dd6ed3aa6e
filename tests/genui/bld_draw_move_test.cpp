// Owner-drawn pictures and the window move that keeps a window on the screen.
#include <gtest/gtest.h>

#include "genui/bld_helpers.h"
#include "genui_support.h"

namespace genui_test {
namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);

// A memory DC of the given size filled grey, standing in for a control's DC.
class Canvas {
 public:
  Canvas(int width, int height) {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    old_ = SelectObject(dc_, bitmap_);
    RECT all{0, 0, width, height};
    HBRUSH grey = CreateSolidBrush(kGrey);
    FillRect(dc_, &all, grey);
    DeleteObject(grey);
  }
  ~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  DRAWITEMSTRUCT Item(RECT rect) const {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemAction = ODA_DRAWENTIRE;
    item.hDC = dc_;
    item.rcItem = rect;
    return item;
  }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

TEST(DrawIcon, AtTheTopLeftCornerWhateverTheItemRectangle) {
  StartFramework();
  Canvas canvas(60, 60);
  DRAWITEMSTRUCT item = canvas.Item(RECT{10, 12, 50, 50});
  EXPECT_NE(BLDDrawIcon(&item, "QUIRVEL"), 0);
  const std::vector<COLORREF> icon = IconPixels();
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const COLORREF want = icon[y * kIconSize + x];
      EXPECT_EQ(canvas.At(x, y), want == CLR_INVALID ? kGrey : want) << x << "," << y;
    }
  }
  EXPECT_EQ(canvas.At(40, 40), kGrey);
}

TEST(DrawBitmap, UnstretchedIsCutOffAtTheItemsSize) {
  StartFramework();
  RegisterTestResources();
  Canvas canvas(60, 40);
  // 10 x 5 at (3, 4): only the bitmap's top-left quarter fits.
  DRAWITEMSTRUCT item = canvas.Item(RECT{3, 4, 13, 9});
  EXPECT_EQ(BLDDrawBitmap(&item, "TESTBITMAP", 0), 1);
  for (int y = 4; y < 9; ++y)
    for (int x = 3; x < 13; ++x) EXPECT_EQ(canvas.At(x, y), kTopLeft) << x << "," << y;
  EXPECT_EQ(canvas.At(2, 4), kGrey);
  EXPECT_EQ(canvas.At(13, 4), kGrey);
  EXPECT_EQ(canvas.At(3, 9), kGrey);
  EXPECT_EQ(canvas.At(3, 3), kGrey);
}

TEST(DrawBitmap, StretchedFillsTheItemWithTheWholeBitmap) {
  StartFramework();
  RegisterTestResources();
  Canvas canvas(60, 40);
  // Half the bitmap's size: every quarter still shows, in its corner.
  DRAWITEMSTRUCT item = canvas.Item(RECT{5, 5, 25, 15});
  EXPECT_EQ(BLDDrawBitmap(&item, "TESTBITMAP", 1), 1);
  EXPECT_EQ(canvas.At(5, 5), kTopLeft);
  EXPECT_EQ(canvas.At(24, 5), kTopRight);
  EXPECT_EQ(canvas.At(5, 14), kBottomLeft);
  EXPECT_EQ(canvas.At(24, 14), kBottomRight);
  EXPECT_EQ(canvas.At(25, 15), kGrey);
}

// A plain top-level window moved through BLDMoveWindow; its rectangle afterwards.
RECT MovedTo(int x, int y, int cx, int cy) {
  HWND window = CreateWindowExA(0, "Static", "moved", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                nullptr);
  BLDMoveWindow(window, x, y, cx, cy, TRUE);
  RECT r{};
  GetWindowRect(window, &r);
  DestroyWindow(window);
  return r;
}

TEST(MoveWindow, KeepsAWindowThatFitsOnTheScreen) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  RECT r = MovedTo(width - 50, 10, 200, 100);
  EXPECT_EQ(r.right, width);
  EXPECT_EQ(r.left, width - 200);
  EXPECT_EQ(r.top, 10);
  r = MovedTo(10, height - 20, 200, 100);
  EXPECT_EQ(r.bottom, height);
  EXPECT_EQ(r.left, 10);
  // Exactly at the edge: unchanged.
  r = MovedTo(width - 200, 0, 200, 100);
  EXPECT_EQ(r.left, width - 200);
  // Wider than the screen, or at a negative position: left alone.
  r = MovedTo(30, 40, width + 10, 100);
  EXPECT_EQ(r.left, 30);
  r = MovedTo(-30, -40, 200, 100);
  EXPECT_EQ(r.left, -30);
  EXPECT_EQ(r.top, -40);
}

}  // namespace
}  // namespace genui_test
