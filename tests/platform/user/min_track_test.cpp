// The minimum tracking size: DefWindowProcA's answer to WM_WINDOWPOSCHANGING keeps an
// overlapped or sizable window at least that large, whoever sizes it, unless the window's
// WM_GETMINMAXINFO allows smaller; other windows take any size.
#include <gtest/gtest.h>

#include "test_windows.h"

using namespace user_test;

namespace {

SIZE SizeOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

TEST(MinimumTrackSize, OverlappedAndSizableWindowsKeepItOthersDoNot) {
  register_test_classes();
  set_override(nullptr);
  const LONG minWidth = GetSystemMetrics(SM_CXMINTRACK);
  const LONG minHeight = GetSystemMetrics(SM_CYMINTRACK);

  HWND overlapped = make_top_level();
  SetWindowPos(overlapped, nullptr, 0, 0, 20, 10, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(SizeOf(overlapped).cx, minWidth);
  EXPECT_EQ(SizeOf(overlapped).cy, minHeight);
  MoveWindow(overlapped, 5, 5, minWidth + 30, 4, FALSE);
  EXPECT_EQ(SizeOf(overlapped).cx, minWidth + 30);
  EXPECT_EQ(SizeOf(overlapped).cy, minHeight);

  HWND sizablePopup = CreateWindowExA(0, kPlainClass, "", WS_POPUP | WS_THICKFRAME, 0, 0, 200, 100, nullptr,
                                      nullptr, nullptr, nullptr);
  MoveWindow(sizablePopup, 0, 0, 20, 10, FALSE);
  EXPECT_EQ(SizeOf(sizablePopup).cx, minWidth);

  HWND popup = CreateWindowExA(0, kPlainClass, "", WS_POPUP | WS_BORDER, 0, 0, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
  MoveWindow(popup, 0, 0, 20, 10, FALSE);
  EXPECT_EQ(SizeOf(popup).cx, 20);
  EXPECT_EQ(SizeOf(popup).cy, 10);
  HWND child = make_child(overlapped, 1);
  MoveWindow(child, 0, 0, 3, 2, FALSE);
  EXPECT_EQ(SizeOf(child).cx, 3);

  DestroyWindow(popup);
  DestroyWindow(sizablePopup);
  DestroyWindow(overlapped);
}

TEST(MinimumTrackSize, TheWindowsOwnMinimumRules) {
  register_test_classes();
  set_override([](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_GETMINMAXINFO) return false;
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{16, 8};
    *result = 0;
    return true;
  });
  HWND hwnd = make_top_level(kLoggingClass);
  MoveWindow(hwnd, 0, 0, 20, 4, FALSE);
  EXPECT_EQ(SizeOf(hwnd).cx, 20);
  EXPECT_EQ(SizeOf(hwnd).cy, 8);
  DestroyWindow(hwnd);
  set_override(nullptr);
}

}  // namespace
