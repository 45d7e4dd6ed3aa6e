// What a person would see on the headless screen: pixels of a filled rectangle, a child
// clipped to its parent, text in the system font at a known place, the frame colours.
// A failing check writes the screen to a PNG so a person can look.
#include <gtest/gtest.h>
#include <win32.h>
#include <win32_headless.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class Screen : public ::testing::Test {
 protected:
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_PAINT) return DefWindowProcA(hwnd, message, wparam, lparam);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    COLORREF colour = static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(hdc, &client, brush);
    DeleteObject(brush);
    char text[32];
    int n = GetWindowTextA(hwnd, text, sizeof text);
    if (n > 0) {
      SetBkColor(hdc, kWhite);
      SetTextColor(hdc, RGB(0, 0, 0));
      TextOutA(hdc, 10, 10, text, n);
    }
    EndPaint(hwnd, &ps);
    return 0;
  }
  void SetUp() override {
    static bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = proc;
      wc.lpszClassName = "TestSolidColour";
      return RegisterClassA(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
  }
  void TearDown() override {
    if (HasFailure()) {
      std::string path = std::string(::testing::TempDir()) + "screen_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
      headless::screenshot(path.c_str());
      std::printf("screen written to %s\n", path.c_str());
    }
    for (HWND h : windows_) DestroyWindow(h);
  }
  HWND make(DWORD style, int x, int y, int cx, int cy, COLORREF colour, HWND parent = nullptr, const char* text = "") {
    HWND h = CreateWindowExA(0, "TestSolidColour", text, style | WS_VISIBLE, x, y, cx, cy, parent, nullptr, nullptr,
                             nullptr);
    SetWindowLongPtrA(h, GWLP_USERDATA, static_cast<LONG_PTR>(colour));
    InvalidateRect(h, nullptr, TRUE);
    if (!parent) windows_.push_back(h);
    return h;
  }
  void settle() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    pixels_ = headless::screen_pixels(&width_, &height_);
  }
  COLORREF at(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  std::vector<HWND> windows_;
  std::vector<COLORREF> pixels_;
  int width_ = 0, height_ = 0;
};

TEST_F(Screen, FilledWindowShowsAtItsPlaceOverTheDesktop) {
  make(WS_POPUP, 100, 80, 60, 40, kRed);
  settle();
  EXPECT_EQ(width_, 1024);
  EXPECT_EQ(at(100, 80), kRed);
  EXPECT_EQ(at(159, 119), kRed);
  EXPECT_EQ(at(160, 119), GetSysColor(COLOR_BACKGROUND));
  EXPECT_EQ(at(99, 80), GetSysColor(COLOR_BACKGROUND));
}

TEST_F(Screen, ChildIsClippedToItsParentsClientArea) {
  HWND parent = make(WS_POPUP | WS_BORDER, 200, 200, 100, 100, kWhite);
  make(WS_CHILD, 50, 50, 200, 200, kGreen, parent);  // reaches far past the parent
  settle();
  EXPECT_EQ(at(200 + 1 + 50, 200 + 1 + 50), kGreen);
  EXPECT_EQ(at(200 + 98, 200 + 98), kGreen);
  EXPECT_EQ(at(200 + 99, 200 + 99), GetSysColor(COLOR_WINDOWFRAME));  // the border stays
  EXPECT_EQ(at(200 + 120, 200 + 120), GetSysColor(COLOR_BACKGROUND));
  EXPECT_EQ(at(200 + 10, 200 + 10), kWhite);
}

TEST_F(Screen, TextLandsWhereItWasDrawn) {
  HWND hwnd = make(WS_POPUP, 400, 300, 200, 60, kWhite, nullptr, "Hi");
  settle();
  HDC hdc = GetDC(hwnd);
  SIZE extent;
  GetTextExtentPoint32A(hdc, "Hi", 2, &extent);
  ReleaseDC(hwnd, hdc);
  ASSERT_GT(extent.cx, 0);
  int dark = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 200; ++x) {
      if (at(400 + x, 300 + y) != RGB(0, 0, 0)) continue;
      ++dark;
      EXPECT_TRUE(x >= 10 && x < 10 + extent.cx && y >= 10 && y < 10 + extent.cy) << x << "," << y;
    }
  }
  EXPECT_GT(dark, 10);
}

TEST_F(Screen, CaptionShowsActiveAndInactiveColours) {
  HWND first = make(WS_OVERLAPPEDWINDOW, 10, 400, 200, 100, kWhite);
  HWND second = make(WS_OVERLAPPEDWINDOW, 300, 400, 200, 100, kWhite);
  settle();
  EXPECT_EQ(GetActiveWindow(), second);
  EXPECT_EQ(at(300 + 30, 400 + 6), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(at(10 + 30, 400 + 6), GetSysColor(COLOR_INACTIVECAPTION));
  SetActiveWindow(first);
  settle();
  EXPECT_EQ(at(10 + 30, 400 + 6), GetSysColor(COLOR_ACTIVECAPTION));
  EXPECT_EQ(at(300 + 30, 400 + 6), GetSysColor(COLOR_INACTIVECAPTION));
  std::string path = std::string(::testing::TempDir()) + "torvex_window.png";
  EXPECT_TRUE(headless::screenshot_window(first, path.c_str()));
  std::remove(path.c_str());
}

}  // namespace
