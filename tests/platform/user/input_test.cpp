// Mouse and keyboard as a person makes them (through the headless interface): routing,
// click activation, focus hand-over on destroy, disabled windows, keys and characters,
// the caption's close box.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include "test_windows.h"
#include "user/input.h"

using namespace user_test;

namespace {

class Input : public ::testing::Test {
 protected:
  void SetUp() override {
    register_test_classes();
    pump();
    log().clear();
    set_override(nullptr);
    headless::clear_beeps();
  }
  void TearDown() override {
    set_override(nullptr);
    for (HWND h : windows_) DestroyWindow(h);
    pump();
  }
  HWND top(int x, int y, const char* cls = kLoggingClass, HWND owner = nullptr) {
    HWND h = CreateWindowExA(0, cls, "input", WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, y, 200, 150, owner, nullptr,
                             nullptr, nullptr);
    windows_.push_back(h);
    pump();
    return h;
  }
  std::vector<HWND> windows_;
};

TEST_F(Input, ClickOnAnInactiveWindowActivatesItBeforeTheClick) {
  HWND a = top(10, 10);
  HWND b = top(400, 10);
  ASSERT_EQ(GetActiveWindow(), b);
  log().clear();
  headless::click(100, 100);  // inside a's client area
  pump();
  log().drop({WM_NCHITTEST, WM_SETCURSOR, WM_NCPAINT, WM_MOUSEMOVE, WM_GETTEXT});
  EXPECT_TRUE(log().matches({{WM_MOUSEACTIVATE, kProc, a}, {WM_NCACTIVATE, kProc, b}, {WM_ACTIVATE, kProc, b},
                             {WM_NCACTIVATE, kProc, a}, {WM_ACTIVATE, kProc, a}, {WM_KILLFOCUS, kProc, b},
                             {WM_SETFOCUS, kProc, a}, {WM_LBUTTONDOWN, kProc, a}, {WM_LBUTTONUP, kProc, a}}));
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
}

TEST_F(Input, ClientCoordinatesAndDoubleClicks) {
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    log().add(m, kProc, h);
    if (m == WM_LBUTTONDOWN) {
      EXPECT_EQ(l, MAKELPARAM(30, 20));
    }
    return DefWindowProcA(h, m, w, l);
  };
  wc.lpszClassName = "TestDoubleClicks";
  RegisterClassA(&wc);
  HWND hwnd = top(0, 0, wc.lpszClassName);
  POINT p{30, 20};
  ClientToScreen(hwnd, &p);
  log().clear();
  headless::double_click(p.x, p.y);
  pump();
  log().drop({WM_NCHITTEST, WM_SETCURSOR, WM_MOUSEMOVE});
  EXPECT_TRUE(log().matches({{WM_LBUTTONDOWN, kProc}, {WM_LBUTTONUP, kProc}, {WM_LBUTTONDBLCLK, kProc},
                             {WM_LBUTTONUP, kProc}}));
}

TEST_F(Input, DestroyingTheFocusedChildGivesFocusToItsParent) {
  HWND parent = top(10, 10);
  HWND child = CreateWindowExA(0, kLoggingClass, "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, parent, nullptr, nullptr,
                               nullptr);
  SetFocus(child);
  ASSERT_EQ(GetFocus(), child);
  log().clear();
  DestroyWindow(child);
  log().drop({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_PARENTNOTIFY});
  EXPECT_TRUE(log().matches({{WM_SHOWWINDOW, kProc, child}, {WM_KILLFOCUS, kProc, child},
                             {WM_SETFOCUS, kProc, parent}, {WM_DESTROY, kProc, child},
                             {WM_NCDESTROY, kProc, child}}));
  EXPECT_EQ(GetFocus(), parent);
}

TEST_F(Input, DestroyingTheActiveWindowActivatesItsOwner) {
  HWND owner = top(10, 10);
  HWND owned = top(300, 10, kLoggingClass, owner);
  top(600, 10);  // another candidate, above the owner in z-order
  SetActiveWindow(owned);
  log().clear();
  DestroyWindow(owned);
  log().drop({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_NCPAINT, WM_GETTEXT});
  EXPECT_TRUE(log().matches({{WM_NCACTIVATE, kProc, owned}, {WM_ACTIVATE, kProc, owned},
                             {WM_NCACTIVATE, kProc, owner}, {WM_ACTIVATE, kProc, owner},
                             {WM_KILLFOCUS, kProc, owned}, {WM_SETFOCUS, kProc, owner},
                             {WM_DESTROY, kProc, owned}, {WM_NCDESTROY, kProc, owned}}));
  EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(Input, DisabledWindowsGetNoInput) {
  HWND parent = top(10, 10);
  HWND child = CreateWindowExA(0, kLoggingClass, "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, parent, nullptr, nullptr,
                               nullptr);
  SetFocus(child);
  EXPECT_FALSE(EnableWindow(child, FALSE));
  EXPECT_FALSE(IsWindowEnabled(child));
  EXPECT_EQ(GetFocus(), nullptr);  // the focus does not stay in a disabled window
  EXPECT_EQ(SetFocus(child), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  POINT p{10, 10};
  ClientToScreen(child, &p);
  log().clear();
  headless::click(p.x, p.y);  // the click goes to the parent instead
  pump();
  log().drop({WM_PAINT, WM_ERASEBKGND, WM_NCPAINT});
  for (const auto& row : log().rows()) EXPECT_NE(row.hwnd, child) << row.message;
  // A disabled top-level window (as behind a modal dialog) takes nothing and beeps.
  EnableWindow(parent, FALSE);
  log().clear();
  headless::click(p.x, p.y);
  SetFocus(parent);
  headless::press_key('A');
  pump();
  EXPECT_TRUE(log().matches({}));
  EXPECT_EQ(headless::beeps().size(), 1u);
  EXPECT_TRUE(EnableWindow(parent, TRUE));
}

TEST_F(Input, KeysBecomeCharactersAndAltF4Closes) {
  HWND hwnd = top(10, 10);
  SetFocus(hwnd);
  std::string typed;
  set_override([&](HWND, UINT m, WPARAM w, LPARAM, LRESULT*) {
    if (m == WM_CHAR) typed += static_cast<char>(w);
    return false;
  });
  headless::type_text("Ab1!");
  pump();
  EXPECT_EQ(typed, "Ab1!");
  EXPECT_EQ(GetKeyState(VK_SHIFT) & 0x8000, 0);
  log().clear();
  headless::key(VK_MENU, true);
  headless::press_key(VK_F4);
  headless::key(VK_MENU, false);
  pump();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Input, TheCloseBoxClosesTheWindow) {
  HWND hwnd = top(100, 100);
  RECT r;
  GetWindowRect(hwnd, &r);
  log().clear();
  headless::click(r.right - 4 - 2 - 8, r.top + 4 + 9);
  pump();
  EXPECT_FALSE(IsWindow(hwnd));
  log().drop({WM_NCHITTEST, WM_SETCURSOR, WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN, WM_NCLBUTTONUP, WM_MOUSEACTIVATE});
  std::vector<UINT> order;
  for (const auto& row : log().rows()) order.push_back(row.message);
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(order.front(), static_cast<UINT>(WM_SYSCOMMAND));
  EXPECT_EQ(order[1], static_cast<UINT>(WM_CLOSE));
}

// The wheel goes to the focus window wherever the mouse is, the distance signed in the
// high word; a child that does not answer passes it on to its parent.
TEST_F(Input, TheWheelGoesToTheFocusWindowAndClimbsToTheParentUnanswered) {
  HWND parent = top(10, 10);
  HWND child = CreateWindowExA(0, kLoggingClass, "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, parent, nullptr, nullptr,
                               nullptr);
  windows_.insert(windows_.begin(), child);
  HWND elsewhere = top(500, 300);
  SetActiveWindow(parent);
  SetFocus(child);
  headless::mouse_move(600, 400);  // over the other window
  pump();
  std::vector<std::pair<HWND, WPARAM>> wheel;
  LPARAM where = 0;
  set_override([&](HWND h, UINT m, WPARAM w, LPARAM l, LRESULT*) {
    if (m == WM_MOUSEWHEEL) wheel.emplace_back(h, w), where = l;
    return false;
  });
  win32::user::input_mouse_wheel(-2 * WHEEL_DELTA);
  pump();
  ASSERT_EQ(wheel.size(), 2u);
  EXPECT_EQ(wheel[0].first, child) << "not " << (wheel[0].first == elsewhere ? "the window under the mouse" : "?");
  EXPECT_EQ(wheel[1].first, parent);
  EXPECT_EQ(static_cast<SHORT>(HIWORD(wheel[0].second)), -2 * WHEEL_DELTA);
  EXPECT_EQ(LOWORD(wheel[0].second), 0);
  EXPECT_EQ(wheel[1].second, wheel[0].second);
  EXPECT_EQ(where, MAKELPARAM(600, 400)) << "screen coordinates of the mouse";

  // A window behind a modal box (disabled) gets no wheel.
  wheel.clear();
  EnableWindow(parent, FALSE);
  win32::user::input_mouse_wheel(WHEEL_DELTA);
  pump();
  EXPECT_TRUE(wheel.empty());
}

TEST_F(Input, CaptureKeepsTheMouseOutsideTheWindow) {
  HWND hwnd = top(10, 10);
  SetCapture(hwnd);
  log().clear();
  headless::mouse_move(900, 700);
  pump();
  ASSERT_TRUE(log().matches({{WM_MOUSEMOVE, kProc, hwnd}}));
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
