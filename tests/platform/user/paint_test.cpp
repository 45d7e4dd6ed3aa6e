// Update regions and WM_PAINT: merging, validation, order behind posted messages,
// parents before children, and erasing with the class brush.
#include <gtest/gtest.h>

#include <vector>

#include "test_windows.h"

using namespace user_test;

namespace {

class Paint : public ::testing::Test {
 protected:
  void SetUp() override {
    register_test_classes();
    pump();
    log().clear();
    set_override(nullptr);
    hwnd_ = CreateWindowExA(0, kLoggingClass, "paint", WS_POPUP | WS_VISIBLE, 50, 50, 200, 100, nullptr, nullptr,
                            nullptr, nullptr);
    pump();
    log().clear();
  }
  void TearDown() override {
    set_override(nullptr);
    DestroyWindow(hwnd_);
  }
  HWND hwnd_ = nullptr;
};

TEST_F(Paint, UpdateRegionIsAUnionAndBeginPaintTakesIt) {
  RECT a{10, 10, 20, 20}, b{50, 30, 60, 40};
  InvalidateRect(hwnd_, &a, FALSE);
  InvalidateRect(hwnd_, &b, TRUE);
  RECT update;
  ASSERT_TRUE(GetUpdateRect(hwnd_, &update, FALSE));
  EXPECT_EQ(update.left, 10);
  EXPECT_EQ(update.top, 10);
  EXPECT_EQ(update.right, 60);
  EXPECT_EQ(update.bottom, 40);
  ValidateRect(hwnd_, &a);
  GetUpdateRect(hwnd_, &update, FALSE);
  EXPECT_EQ(update.left, 50);  // only the second rectangle is left
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd_, &ps);
  ASSERT_NE(hdc, nullptr);
  EXPECT_EQ(ps.rcPaint.left, 50);
  EXPECT_EQ(ps.rcPaint.bottom, 40);
  EndPaint(hwnd_, &ps);
  EXPECT_FALSE(GetUpdateRect(hwnd_, &update, FALSE));
  // A rectangle outside the client area adds nothing.
  RECT outside{500, 500, 600, 600};
  InvalidateRect(hwnd_, &outside, FALSE);
  EXPECT_FALSE(GetUpdateRect(hwnd_, nullptr, FALSE));
}

TEST_F(Paint, PaintComesAfterPostedMessagesAndRepeatsUntilValidated) {
  InvalidateRect(hwnd_, nullptr, FALSE);
  PostMessageA(hwnd_, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  for (int i = 0; i < 2; ++i) {  // not validated: it stays
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_PAINT));
    EXPECT_EQ(msg.hwnd, hwnd_);
  }
  DispatchMessageA(&msg);  // DefWindowProc paints and validates
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Paint, ParentsPaintBeforeChildrenAndUpdateWindowPaintsAtOnce) {
  HWND child = CreateWindowExA(0, kLoggingClass, "", WS_CHILD | WS_VISIBLE, 5, 5, 40, 20, hwnd_, nullptr, nullptr,
                               nullptr);
  pump();
  log().clear();
  InvalidateRect(hwnd_, nullptr, TRUE);  // no WS_CLIPCHILDREN: the child is included
  pump();
  log().drop({WM_NCPAINT});
  EXPECT_TRUE(log().matches({{WM_PAINT, kProc, hwnd_}, {WM_ERASEBKGND, kProc, hwnd_},
                             {WM_PAINT, kProc, child}, {WM_ERASEBKGND, kProc, child}}));
  log().clear();
  InvalidateRect(child, nullptr, FALSE);
  UpdateWindow(hwnd_);
  EXPECT_TRUE(log().matches({{WM_PAINT, kProc, child}}));
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  // A hidden window is never painted.
  ShowWindow(child, SW_HIDE);
  InvalidateRect(child, nullptr, TRUE);
  EXPECT_FALSE(PeekMessageA(&msg, child, WM_PAINT, WM_PAINT, PM_NOREMOVE));
}

TEST_F(Paint, EraseUsesTheClassBrushIncludingSystemColourValues) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
  wc.lpszClassName = "TestHighlightBackground";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 300, 300, 40, 30, nullptr, nullptr,
                              nullptr, nullptr);
  UpdateWindow(hwnd);
  HDC hdc = GetDC(hwnd);
  EXPECT_EQ(GetPixel(hdc, 0, 0), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(GetPixel(hdc, 39, 29), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 1);
  EXPECT_EQ(ReleaseDC(hwnd, hdc), 0);  // once only
  DestroyWindow(hwnd);
  UnregisterClassA(wc.lpszClassName, nullptr);
}

}  // namespace
