// Geometry: the frame the platform draws and reports, showing, moving and maximizing.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "test_windows.h"
#include "user/nonclient.h"
#include "user/window_state.h"

using namespace user_test;

namespace {

class Geometry : public ::testing::Test {
 protected:
  void SetUp() override {
    register_test_classes();
    log().clear();
    set_override(nullptr);
  }
};

TEST_F(Geometry, WindowRectIsClientRectPlusTheFrame) {
  struct Case {
    DWORD style, ex_style;
    int left, top, right, bottom;  // frame thickness on each side
  };
  const Case cases[] = {
      {WS_OVERLAPPEDWINDOW, 0, 4, 23, 4, 4},
      {WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 3, 22, 3, 3},
      {WS_POPUP | WS_BORDER, 0, 1, 1, 1, 1},
      {WS_POPUP, WS_EX_DLGMODALFRAME, 3, 3, 3, 3},
      {WS_POPUP, 0, 0, 0, 0, 0},
      {WS_CHILD | WS_BORDER, WS_EX_CLIENTEDGE, 3, 3, 3, 3},
  };
  HWND parent = make_top_level();
  for (const Case& c : cases) {
    HWND hwnd = CreateWindowExA(c.ex_style, kPlainClass, "", c.style, 20, 30, 200, 150,
                                (c.style & WS_CHILD) ? parent : nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT corner{0, 0};
    ClientToScreen(hwnd, &corner);
    EXPECT_EQ(corner.x - window.left, c.left) << c.style;
    EXPECT_EQ(corner.y - window.top, c.top) << c.style;
    EXPECT_EQ(window.right - (corner.x + client.right), c.right) << c.style;
    EXPECT_EQ(window.bottom - (corner.y + client.bottom), c.bottom) << c.style;
    // AdjustWindowRectEx turns the client rectangle back into the window rectangle.
    RECT adjusted{corner.x, corner.y, corner.x + client.right, corner.y + client.bottom};
    AdjustWindowRectEx(&adjusted, c.style, FALSE, c.ex_style);
    EXPECT_TRUE(EqualRect(&adjusted, &window)) << c.style;
    POINT back = corner;
    ScreenToClient(hwnd, &back);
    EXPECT_EQ(back.x, 0);
    EXPECT_EQ(back.y, 0);
    DestroyWindow(hwnd);
  }
  DestroyWindow(parent);
  EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION), 19);
  EXPECT_EQ(GetSystemMetrics(SM_CXFRAME), 4);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  RECT with_menu{0, 0, 100, 100};
  AdjustWindowRect(&with_menu, WS_OVERLAPPEDWINDOW, TRUE);
  EXPECT_EQ(with_menu.top, -4 - 19 - 19);
}

TEST_F(Geometry, FirstShowOfAnOverlappedWindowActivatesAndSizes) {
  HWND hwnd = make_top_level(kLoggingClass);
  log().clear();
  EXPECT_FALSE(ShowWindow(hwnd, SW_SHOWNORMAL));
  log().drop({WM_NCPAINT, WM_GETTEXT, WM_GETTEXTLENGTH});
  EXPECT_TRUE(log().matches({{WM_SHOWWINDOW, kProc}, {WM_WINDOWPOSCHANGING, kProc}, {WM_ACTIVATEAPP, kProc},
                             {WM_NCACTIVATE, kProc}, {WM_ACTIVATE, kProc}, {WM_SETFOCUS, kProc},
                             {WM_WINDOWPOSCHANGED, kProc}, {WM_SIZE, kProc}, {WM_MOVE, kProc}}));
  EXPECT_TRUE(IsWindowVisible(hwnd));
  EXPECT_EQ(GetActiveWindow(), hwnd);
  EXPECT_EQ(GetFocus(), hwnd);
  // Showing again changes nothing and says it was visible.
  log().clear();
  EXPECT_TRUE(ShowWindow(hwnd, SW_SHOW));
  log().drop({WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED});
  EXPECT_TRUE(log().matches({}));
  DestroyWindow(hwnd);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Geometry, MovingAChildSendsPositionAndSizeMessages) {
  HWND parent = make_top_level();
  HWND child = CreateWindowExA(0, kLoggingClass, "", WS_CHILD | WS_VISIBLE, 5, 5, 50, 20, parent, nullptr,
                               nullptr, nullptr);
  log().clear();
  EXPECT_TRUE(MoveWindow(child, 10, 12, 60, 30, TRUE));
  EXPECT_TRUE(log().matches({{WM_WINDOWPOSCHANGING, kProc}, {WM_NCCALCSIZE, kProc},
                             {WM_WINDOWPOSCHANGED, kProc}, {WM_SIZE, kProc}, {WM_MOVE, kProc}}));
  RECT r;
  GetWindowRect(child, &r);
  POINT p{r.left, r.top};
  ScreenToClient(parent, &p);
  EXPECT_EQ(p.x, 10);
  EXPECT_EQ(p.y, 12);
  EXPECT_EQ(r.right - r.left, 60);
  log().clear();
  SetWindowPos(child, nullptr, 11, 12, 0, 0, SWP_NOSIZE | SWP_NOZORDER);  // a move only
  EXPECT_TRUE(log().matches({{WM_WINDOWPOSCHANGING, kProc}, {WM_WINDOWPOSCHANGED, kProc}, {WM_MOVE, kProc}}));
  EXPECT_FALSE(MoveWindow(reinterpret_cast<HWND>(0x20ffff04), 0, 0, 1, 1, TRUE));
  DestroyWindow(parent);
}

TEST_F(Geometry, MaximizeRestoreAndMinimize) {
  HWND hwnd = make_top_level();
  ShowWindow(hwnd, SW_SHOWNORMAL);
  RECT normal;
  GetWindowRect(hwnd, &normal);
  ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  EXPECT_TRUE(IsZoomed(hwnd));
  RECT client;
  GetClientRect(hwnd, &client);
  EXPECT_EQ(client.right, GetSystemMetrics(SM_CXSCREEN));
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(hwnd));
  RECT back;
  GetWindowRect(hwnd, &back);
  EXPECT_TRUE(EqualRect(&back, &normal));
  ShowWindow(hwnd, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(hwnd));
  ShowWindow(hwnd, SW_HIDE);
  EXPECT_FALSE(IsWindowVisible(hwnd));
  DestroyWindow(hwnd);
}

// The window manager maximized the desktop window: the program hears it as a maximize to
// the manager's rectangle (WM_SIZE with SIZE_MAXIMIZED), and its own restore box then
// puts the window back where it was before.
TEST_F(Geometry, AMaximizeTheDesktopMadeIsAMaximizeToItsRectangle) {
  HWND hwnd = CreateWindowExA(0, kLoggingClass, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 30, 300, 200, nullptr,
                              nullptr, nullptr, nullptr);
  pump();
  RECT normal;
  GetWindowRect(hwnd, &normal);
  const RECT desktop{0, 0, 800, 600};
  std::vector<WPARAM> sizes;
  set_override([&](HWND h, UINT m, WPARAM w, LPARAM, LRESULT*) {
    if (h == hwnd && m == WM_SIZE) sizes.push_back(w);
    return false;
  });
  win32::user::take_desktop_maximized(hwnd, true, desktop, normal);
  EXPECT_TRUE(IsZoomed(hwnd));
  RECT now;
  GetWindowRect(hwnd, &now);
  EXPECT_TRUE(EqualRect(&now, &desktop));
  EXPECT_EQ(sizes, std::vector<WPARAM>{SIZE_MAXIMIZED});
  // Told twice (a second batch of events), nothing changes.
  win32::user::take_desktop_maximized(hwnd, true, desktop, desktop);
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_FALSE(IsZoomed(hwnd));
  GetWindowRect(hwnd, &now);
  EXPECT_TRUE(EqualRect(&now, &normal)) << "restored to " << now.left << "," << now.top;

  // The manager takes its maximize back after its own restore: the program follows it.
  win32::user::take_desktop_maximized(hwnd, true, desktop, normal);
  sizes.clear();
  win32::user::take_desktop_maximized(hwnd, false, normal, {});
  EXPECT_FALSE(IsZoomed(hwnd));
  EXPECT_EQ(sizes, std::vector<WPARAM>{SIZE_RESTORED});
  set_override(nullptr);
  DestroyWindow(hwnd);
}

// A maximized window's middle caption box is the restore box: two small windows, the back
// one higher and to the right, instead of the one large window of the maximize box.
TEST_F(Geometry, TheMaximizeBoxOfAMaximizedWindowShowsTheRestoreGlyph) {
  HWND hwnd = CreateWindowExA(0, kPlainClass, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                              nullptr, nullptr, nullptr);
  auto glyph = [&] {
    UpdateWindow(hwnd);
    RECT r;
    GetWindowRect(hwnd, &r);
    win32::user::FrameLayout layout = win32::user::frame_layout(WS_OVERLAPPEDWINDOW, 0, 0, r.right - r.left, r.bottom - r.top);
    const RECT& box = layout.max_box;
    int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
    HDC dc = GetWindowDC(hwnd);
    // Above the maximize glyph: the back window's top line. Inside the maximize glyph's
    // lower right corner: empty for the restore glyph.
    std::pair<bool, bool> ink{GetPixel(dc, cx, cy - 5) == GetSysColor(COLOR_BTNTEXT),
                              GetPixel(dc, cx + 3, cy + 3) == GetSysColor(COLOR_BTNTEXT)};
    ReleaseDC(hwnd, dc);
    return ink;
  };
  EXPECT_EQ(glyph(), std::make_pair(false, true)) << "maximize glyph";
  ShowWindow(hwnd, SW_SHOWMAXIMIZED);
  EXPECT_EQ(glyph(), std::make_pair(true, false)) << "restore glyph";
  ShowWindow(hwnd, SW_RESTORE);
  EXPECT_EQ(glyph(), std::make_pair(false, true)) << "maximize glyph again";
  DestroyWindow(hwnd);
}

TEST_F(Geometry, HitTestingFindsThePartsOfTheFrame) {
  HWND hwnd = CreateWindowExA(0, kPlainClass, "", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr, nullptr,
                              nullptr, nullptr);
  auto at = [&](int x, int y) { return SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(100 + x, 100 + y)); };
  EXPECT_EQ(at(150, 100), HTCLIENT);
  EXPECT_EQ(at(150, 10), HTCAPTION);
  EXPECT_EQ(at(300 - 4 - 2 - 8, 4 + 9), HTCLOSE);
  EXPECT_EQ(at(300 - 4 - 2 - 16 - 2 - 8, 4 + 9), HTMAXBUTTON);
  EXPECT_EQ(at(1, 100), HTLEFT);
  EXPECT_EQ(at(298, 198), HTBOTTOMRIGHT);
  EXPECT_EQ(at(400, 100), HTNOWHERE);
  DestroyWindow(hwnd);
}

}  // namespace
