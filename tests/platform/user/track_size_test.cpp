// The tracking sizes: DefWindowProcA's answer to WM_WINDOWPOSCHANGING keeps an overlapped
// or sizable window between the minimum and maximum its WM_GETMINMAXINFO gives (by default
// the system's minimum and the screen plus the frame), whoever sizes it; other windows take
// any size.
#include <gtest/gtest.h>

#include "test_windows.h"

using namespace user_test;

namespace {

SIZE SizeOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

TEST(TrackSize, OverlappedAndSizableWindowsKeepItOthersDoNot) {
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

  // By default no larger than the screen with the frame around it.
  const int huge = 3 * GetSystemMetrics(SM_CXSCREEN);
  SetWindowPos(overlapped, nullptr, 0, 0, huge, huge, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_LT(SizeOf(overlapped).cx, huge);
  EXPECT_GE(SizeOf(overlapped).cx, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LT(SizeOf(overlapped).cy, huge);
  EXPECT_GE(SizeOf(overlapped).cy, GetSystemMetrics(SM_CYSCREEN));

  HWND sizablePopup = CreateWindowExA(0, kPlainClass, "", WS_POPUP | WS_THICKFRAME, 0, 0, 200, 100, nullptr,
                                      nullptr, nullptr, nullptr);
  MoveWindow(sizablePopup, 0, 0, 20, 10, FALSE);
  EXPECT_EQ(SizeOf(sizablePopup).cx, minWidth);

  HWND popup = CreateWindowExA(0, kPlainClass, "", WS_POPUP | WS_BORDER, 0, 0, 200, 100, nullptr, nullptr,
                               nullptr, nullptr);
  MoveWindow(popup, 0, 0, 20, 10, FALSE);
  EXPECT_EQ(SizeOf(popup).cx, 20);
  EXPECT_EQ(SizeOf(popup).cy, 10);
  MoveWindow(popup, 0, 0, huge, huge, FALSE);
  EXPECT_EQ(SizeOf(popup).cx, huge);
  HWND child = make_child(overlapped, 1);
  MoveWindow(child, 0, 0, 3, 2, FALSE);
  EXPECT_EQ(SizeOf(child).cx, 3);

  DestroyWindow(popup);
  DestroyWindow(sizablePopup);
  DestroyWindow(overlapped);
}

TEST(TrackSize, TheWindowsOwnMinimumRules) {
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

TEST(TrackSize, TheWindowsOwnMaximumHoldsEveryWayOfSizingIt) {
  register_test_classes();
  set_override([](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_GETMINMAXINFO) return false;
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = POINT{300, 200};
    *result = 0;
    return true;
  });
  HWND hwnd = CreateWindowExA(0, kLoggingClass, "", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400, nullptr, nullptr,
                              nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(SizeOf(hwnd).cx, 300);
  EXPECT_EQ(SizeOf(hwnd).cy, 200);
  MoveWindow(hwnd, 0, 0, 250, 900, FALSE);
  EXPECT_EQ(SizeOf(hwnd).cx, 250);
  EXPECT_EQ(SizeOf(hwnd).cy, 200);
  SetWindowPos(hwnd, nullptr, 0, 0, 900, 150, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(SizeOf(hwnd).cx, 300);
  EXPECT_EQ(SizeOf(hwnd).cy, 150);
  // Maximizing sizes the window through the same path: it cannot outgrow the maximum either.
  ShowWindow(hwnd, SW_MAXIMIZE);
  EXPECT_EQ(SizeOf(hwnd).cx, 300);
  EXPECT_EQ(SizeOf(hwnd).cy, 200);
  DestroyWindow(hwnd);

  // A maximum below the minimum leaves the minimum in force, as creation does.
  set_override([](HWND, UINT message, WPARAM, LPARAM lParam, LRESULT* result) {
    if (message != WM_GETMINMAXINFO) return false;
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize = POINT{200, 150};
    info->ptMaxTrackSize = POINT{100, 50};
    *result = 0;
    return true;
  });
  hwnd = make_top_level(kLoggingClass);
  MoveWindow(hwnd, 0, 0, 400, 400, FALSE);
  EXPECT_EQ(SizeOf(hwnd).cx, 200);
  EXPECT_EQ(SizeOf(hwnd).cy, 150);
  DestroyWindow(hwnd);
  set_override(nullptr);
}

}  // namespace
