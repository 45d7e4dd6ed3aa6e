// A text static shows a new text the moment it is set, without any WM_PAINT being
// dispatched: with the colours its parent answers to WM_CTLCOLORSTATIC, inside its own
// rectangle and its parent's client area, not at all while hidden, and visibly to a
// screenshot taken by another thread while the owning thread is busy peeking (as during
// a benchmark run). A failing check writes the screen to a PNG.
#include <gtest/gtest.h>
#include <win32.h>
#include <win32_headless.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr COLORREF kInk = RGB(255, 0, 0);
constexpr COLORREF kPaper = RGB(0, 160, 0);
constexpr COLORREF kParentFill = RGB(255, 255, 255);
constexpr POINT kParentAt{300, 200};
constexpr SIZE kParentSize{240, 80};

LRESULT CALLBACK colouring_parent(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  static HBRUSH paper = CreateSolidBrush(kPaper);
  if (message == WM_CTLCOLORSTATIC) {
    HDC hdc = reinterpret_cast<HDC>(wparam);
    SetTextColor(hdc, kInk);
    SetBkColor(hdc, kPaper);
    return reinterpret_cast<LRESULT>(paper);
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

// What the screen shows inside one screen rectangle: where the ink lies.
struct InkSpan {
  int pixels = 0;
  int right = -1;  // one past the rightmost ink pixel, relative to the rectangle's left
};

InkSpan ink_in(const std::vector<COLORREF>& screen, int width, const RECT& r) {
  InkSpan span;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (screen[static_cast<size_t>(y) * width + x] == kInk) {
        ++span.pixels;
        span.right = std::max(span.right, static_cast<int>(x - r.left + 1));
      }
  return span;
}

class StaticPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = colouring_parent;
      wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
      wc.lpszClassName = "TestColouringParent";
      return RegisterClassA(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    parent_ = CreateWindowExA(0, "TestColouringParent", "", WS_POPUP | WS_VISIBLE, kParentAt.x, kParentAt.y,
                              kParentSize.cx, kParentSize.cy, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent_);
  }
  void TearDown() override {
    if (HasFailure()) {
      std::string path = std::string(::testing::TempDir()) + "static_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
      headless::screenshot(path.c_str());
      std::printf("screen written to %s\n", path.c_str());
    }
    DestroyWindow(parent_);
    pump();
  }
  HWND make_static(const char* text, DWORD style, int x, int y, int cx, int cy) {
    return CreateWindowExA(0, "Static", text, WS_CHILD | style, x, y, cx, cy, parent_, nullptr, nullptr, nullptr);
  }
  static void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  void grab() { screen_ = headless::screen_pixels(&width_, nullptr); }
  COLORREF at(int x, int y) const { return screen_[static_cast<size_t>(y) * width_ + x]; }
  static RECT on_screen(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
  }
  static int text_width(HWND hwnd, const char* text) {
    HDC hdc = GetDC(hwnd);
    SIZE extent{};
    GetTextExtentPoint32A(hdc, text, static_cast<int>(std::strlen(text)), &extent);
    ReleaseDC(hwnd, hdc);
    return extent.cx;
  }
  // The ink of `text` drawn at the control's left edge ends within its last glyph.
  static void expect_text_span(const InkSpan& span, int width, const char* text) {
    EXPECT_GT(span.pixels, 0) << text;
    EXPECT_LE(span.right, width) << text;
    EXPECT_GE(span.right, width - 4) << text;
  }

  HWND parent_ = nullptr;
  std::vector<COLORREF> screen_;
  int width_ = 0;
};

TEST_F(StaticPaint, NewTextShowsAtOnceInTheParentsColours) {
  HWND status = make_static("Status: Not Running", WS_VISIBLE | SS_LEFT, 10, 10, 200, 20);
  pump();
  const char* text = "Running Whetstones";
  SetWindowTextA(status, text);
  // No message was dispatched, and the normal repaint is still pending as well.
  EXPECT_TRUE(GetUpdateRect(status, nullptr, FALSE));
  grab();
  RECT r = on_screen(status);
  expect_text_span(ink_in(screen_, width_, r), text_width(status, text), text);
  EXPECT_EQ(at(r.right - 1, r.bottom - 1), kPaper);
  EXPECT_EQ(at(r.left, r.bottom - 1), kPaper);

  // A shorter text wipes the longer one: no ink remains past its end.
  const char* shorter = "Done";
  SetWindowTextA(status, shorter);
  grab();
  expect_text_span(ink_in(screen_, width_, r), text_width(status, shorter), shorter);
  pump();
}

TEST_F(StaticPaint, DrawingStaysInsideTheControlAndTheParent) {
  // A label that reaches past the parent's right edge, with more text than fits.
  HWND label = make_static("", WS_VISIBLE | SS_LEFTNOWORDWRAP, 150, 30, 200, 16);
  pump();
  SetWindowTextA(label, "Running Disk Benchmark, a text longer than the window is wide");
  grab();
  RECT parent = on_screen(parent_);
  RECT r = on_screen(label);
  EXPECT_EQ(at(parent.right - 1, r.top), kPaper);
  EXPECT_EQ(at(parent.right, r.top), GetSysColor(COLOR_BACKGROUND));  // the desktop beside it
  EXPECT_EQ(at(r.left - 1, r.top), kParentFill);
  EXPECT_EQ(at(r.left, r.top - 1), kParentFill);
  EXPECT_EQ(at(r.left, r.bottom), kParentFill);
  EXPECT_GT(ink_in(screen_, width_, RECT{r.left, r.top, parent.right, r.bottom}).pixels, 0);
  EXPECT_EQ(ink_in(screen_, width_, RECT{parent.right, r.top, parent.right + 200, r.bottom}).pixels, 0);
  pump();
}

TEST_F(StaticPaint, HiddenControlDrawsNothingUntilItIsShown) {
  HWND label = make_static("", SS_CENTER, 10, 10, 200, 20);
  pump();
  SetWindowTextA(label, "Running Dhrystones");
  grab();
  RECT r = on_screen(label);
  EXPECT_EQ(ink_in(screen_, width_, r).pixels, 0);
  EXPECT_EQ(at(r.left + 100, r.top + 10), kParentFill);
  ShowWindow(label, SW_SHOWNA);
  pump();
  grab();
  EXPECT_GT(ink_in(screen_, width_, r).pixels, 0);
}

// As during a benchmark run: the owning thread only peeks without removing, a worker
// writes each status text (the write returns once the owner has serviced it) and then
// photographs the screen from its own thread.
TEST_F(StaticPaint, ScreenshotFromAnotherThreadShowsEachTextAsItIsSet) {
  HWND status = make_static("Status: Not Running", WS_VISIBLE | SS_LEFT, 10, 40, 220, 20);
  pump();
  const std::vector<const char*> texts = {"Running Dhrystones", "  DR Dhrystone     1.23 secs", "Running Whetstones",
                                          "Benchmarks complete"};
  std::vector<int> widths;
  for (const char* t : texts) widths.push_back(text_width(status, t));
  RECT r = on_screen(status);

  std::vector<InkSpan> seen;
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (const char* t : texts) {
      SetWindowTextA(status, t);
      int width = 0;
      std::vector<COLORREF> screen = headless::screen_pixels(&width, nullptr);
      seen.push_back(ink_in(screen, width, r));
    }
    done = true;
  });
  MSG msg;
  while (!done.load()) {
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    std::this_thread::yield();
  }
  worker.join();
  ASSERT_EQ(seen.size(), texts.size());
  for (size_t i = 0; i < texts.size(); ++i) expect_text_span(seen[i], widths[i], texts[i]);
  EXPECT_TRUE(GetUpdateRect(status, nullptr, FALSE));  // no WM_PAINT ran meanwhile
  pump();
}

}  // namespace
