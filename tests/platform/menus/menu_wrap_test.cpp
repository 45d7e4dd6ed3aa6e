// A menu bar wider than its window wraps into more rows: an item that does not fit the
// rest of a row starts the next one, the frame grows by the extra rows (while
// AdjustWindowRect still counts one), and hit testing, drawing, item rectangles and the
// keyboard and mouse follow the rows. A failing check writes the screen to a PNG.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "menu_template.h"

using namespace menu_test;

namespace {

std::vector<UINT> commands;
std::vector<std::function<void()>> idle_steps;  // one per WM_ENTERIDLE of the menu loop

LRESULT CALLBACK frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: commands.push_back(LOWORD(wparam)); return 0;
    case WM_GETMINMAXINFO:
      // Narrower than the default minimum, so that the bar can take three rows.
      reinterpret_cast<MINMAXINFO*>(lparam)->ptMinTrackSize = POINT{20, 20};
      return 0;
    case WM_ENTERIDLE:
      if (wparam == MSGF_MENU && !idle_steps.empty()) {
        auto step = idle_steps.front();
        idle_steps.erase(idle_steps.begin());
        step();
      }
      return 0;
    default: return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

constexpr DWORD kFrameStyle = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
constexpr POINT kAt{60, 60};
constexpr int kHeight = 300;

class MenuWrap : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = frame_proc;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = "MenuWrapFrame";
      return RegisterClassA(&wc) != 0;
    }();
    ASSERT_TRUE(registered);
    std::vector<WORD> bytes = main_menu_template();
    bar_ = LoadMenuIndirectA(bytes.data());
    frame_ = CreateWindowExA(0, "MenuWrapFrame", "TORVEX NT Benchmarks", kFrameStyle, kAt.x, kAt.y, 500, kHeight,
                             nullptr, bar_, nullptr, nullptr);
    ASSERT_TRUE(frame_);
    pump();
    // Measured on one row: the window's left border and each item's width.
    RECT window;
    GetWindowRect(frame_, &window);
    border_ = item(0).left - window.left;
    for (UINT i = 0; i < 3; ++i) widths_.push_back(item(i).right - item(i).left);
    ASSERT_EQ(rows(), 1);
    commands.clear();
    idle_steps.clear();
  }
  void TearDown() override {
    if (HasFailure()) {
      std::string path = std::string(::testing::TempDir()) + "menu_wrap_" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png";
      headless::screenshot(path.c_str());
      std::printf("screen written to %s\n", path.c_str());
    }
    DestroyWindow(frame_);
    DestroyMenu(bar_);
    pump();
  }
  RECT item(UINT position, HMENU menu = nullptr) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(frame_, menu ? menu : bar_, position, &r));
    return r;
  }
  int rows() {
    std::set<LONG> tops;
    for (int i = 0; i < GetMenuItemCount(bar_); ++i) tops.insert(item(static_cast<UINT>(i)).top);
    return static_cast<int>(tops.size());
  }
  // A window whose bar leaves exactly `room` pixels for items on each row.
  void resize_for_bar(int room) {
    MoveWindow(frame_, kAt.x, kAt.y, room + 2 * border_, kHeight, TRUE);
    pump();
  }
  int client_height() {
    RECT r;
    GetClientRect(frame_, &r);
    return r.bottom;
  }
  static POINT centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }
  int sum_of_widths() const { return widths_[0] + widths_[1] + widths_[2]; }

  HWND frame_ = nullptr;
  HMENU bar_ = nullptr;
  int border_ = 0;
  std::vector<int> widths_;
};

TEST_F(MenuWrap, ItemsThatDoNotFitStartTheNextRowAndTheClientAreaGivesWay) {
  const int one_row = client_height();
  const int row = GetSystemMetrics(SM_CYMENU);

  resize_for_bar(sum_of_widths());  // exactly fits: still one row
  EXPECT_EQ(rows(), 1);
  EXPECT_EQ(client_height(), one_row);

  resize_for_bar(sum_of_widths() - 1);  // Help no longer fits
  EXPECT_EQ(rows(), 2);
  EXPECT_EQ(client_height(), one_row - row);
  EXPECT_EQ(item(2).left, item(0).left);
  EXPECT_EQ(item(2).top, item(0).bottom);
  EXPECT_EQ(item(1).top, item(0).top);

  resize_for_bar(widths_[0] + widths_[1] - 1);  // each item on a row of its own
  EXPECT_EQ(rows(), 3);
  EXPECT_EQ(client_height(), one_row - 2 * row);

  resize_for_bar(widths_[0] / 2);  // narrower than one item: still one item per row
  EXPECT_EQ(rows(), 3);

  resize_for_bar(sum_of_widths() + 40);
  EXPECT_EQ(rows(), 1);
  EXPECT_EQ(client_height(), one_row);
}

TEST_F(MenuWrap, AFrameCreatedNarrowIsWrappedFromItsFirstMessage) {
  const int window_width = widths_[0] + widths_[1] - 1 + 2 * border_;
  HWND narrow = CreateWindowExA(0, "MenuWrapFrame", "narrow", kFrameStyle, kAt.x, kAt.y, window_width, kHeight,
                                nullptr, LoadMenuIndirectA(main_menu_template().data()), nullptr, nullptr);
  ASSERT_TRUE(narrow);
  RECT window, client;
  GetWindowRect(narrow, &window);
  GetClientRect(narrow, &client);
  RECT one_row{0, 0, client.right, client.bottom};
  AdjustWindowRect(&one_row, WS_OVERLAPPEDWINDOW, TRUE);
  // The window is as tall as asked; the client is short by the two extra rows.
  EXPECT_EQ(window.bottom - window.top, kHeight);
  EXPECT_EQ((one_row.bottom - one_row.top) + 2 * GetSystemMetrics(SM_CYMENU), kHeight);
  HMENU menu = GetMenu(narrow);
  DestroyWindow(narrow);
  DestroyMenu(menu);
}

// What the program's frame fit does: size the window with AdjustWindowRect (which
// counts one menu row), find the client area short by the wrapped rows, grow once.
TEST_F(MenuWrap, AdjustWindowRectCountsOneRowAndOneCorrectionFitsTheClient) {
  const int wanted_height = 180;
  // The bar spans the client's width here, and Help does not fit beside the others.
  const int wanted_width = widths_[0] + widths_[1] + widths_[2] / 2;
  RECT r{0, 0, wanted_width, wanted_height};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, TRUE);
  MoveWindow(frame_, kAt.x, kAt.y, r.right - r.left, r.bottom - r.top, TRUE);
  pump();
  ASSERT_EQ(rows(), 2);
  RECT client;
  GetClientRect(frame_, &client);
  EXPECT_EQ(client.right, wanted_width);
  const int short_by = wanted_height - client.bottom;
  EXPECT_EQ(short_by, GetSystemMetrics(SM_CYMENU));
  MoveWindow(frame_, kAt.x, kAt.y, r.right - r.left, r.bottom - r.top + short_by, TRUE);
  pump();
  GetClientRect(frame_, &client);
  EXPECT_EQ(client.bottom, wanted_height);
  EXPECT_EQ(client.right, wanted_width);
  EXPECT_EQ(rows(), 2);
}

TEST_F(MenuWrap, HitTestingAndTheMouseFollowTheRows) {
  resize_for_bar(sum_of_widths() - 1);
  ASSERT_EQ(rows(), 2);
  RECT help = item(2);
  POINT in_second_row{help.right + 5, centre(help).y};  // beside Help, still the bar
  EXPECT_EQ(SendMessageA(frame_, WM_NCHITTEST, 0, MAKELPARAM(in_second_row.x, in_second_row.y)), HTMENU);
  POINT client_top{0, 0};
  ClientToScreen(frame_, &client_top);
  EXPECT_EQ(client_top.y, help.bottom);
  EXPECT_EQ(SendMessageA(frame_, WM_NCHITTEST, 0, MAKELPARAM(client_top.x + 5, client_top.y)), HTCLIENT);

  // Help's pop-up opens under the second row; a click on About chooses it.
  HMENU help_popup = GetSubMenu(bar_, 2);
  RECT about{};
  idle_steps.push_back([&] {
    about = item(0, help_popup);
    headless::click(centre(about).x, centre(about).y);
  });
  headless::click(centre(help).x, centre(help).y);
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4005}));
  EXPECT_GE(about.top, help.bottom);
  EXPECT_LE(about.top, help.bottom + 8);
  EXPECT_GE(about.left, help.left);
  EXPECT_LE(about.left, help.left + 8);
}

TEST_F(MenuWrap, LeftAndRightMoveAlongTheBarAcrossRows) {
  resize_for_bar(widths_[0] + widths_[1] - 1);
  ASSERT_EQ(rows(), 3);
  // F10 selects File; Left wraps to Help on the last row, Right back to File, Left
  // again, Down opens Help and Enter chooses About.
  for (UINT vk : {VK_F10, VK_LEFT, VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN}) headless::press_key(vk);
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4005}));
  // Right from File walks down the rows: Run! on the second is a command.
  commands.clear();
  for (UINT vk : {VK_F10, VK_RIGHT, VK_RETURN}) headless::press_key(vk);
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4004}));
}

TEST_F(MenuWrap, EveryRowIsDrawnAndTheClientStartsBelowTheLast) {
  resize_for_bar(sum_of_widths() - 1);
  ASSERT_EQ(rows(), 2);
  int width = 0;
  std::vector<COLORREF> screen = headless::screen_pixels(&width, nullptr);
  auto at = [&](LONG x, LONG y) { return screen[static_cast<size_t>(y) * width + x]; };
  auto ink = [&](const RECT& r) {
    int n = 0;
    for (LONG y = r.top; y < r.bottom; ++y)
      for (LONG x = r.left; x < r.right; ++x) n += at(x, y) == GetSysColor(COLOR_MENUTEXT);
    return n;
  };
  RECT file = item(0), help = item(2);
  RECT window;
  GetWindowRect(frame_, &window);
  const LONG bar_right = window.right - border_;
  EXPECT_GT(ink(file), 0);
  EXPECT_GT(ink(help), 0);
  EXPECT_EQ(ink(RECT{help.right, help.top, bar_right, help.bottom}), 0);  // the rest of the row is empty
  EXPECT_EQ(at(bar_right - 1, help.bottom - 1), GetSysColor(COLOR_MENU));
  EXPECT_EQ(at(bar_right - 1, help.bottom), GetSysColor(COLOR_WINDOW));  // the client area
}

TEST_F(MenuWrap, ABreakFlagStartsARowAndTheHelpItemKeepsToTheRightEnd) {
  HMENU custom = CreateMenu();
  AppendMenuA(custom, MF_STRING, 1, "&One");
  AppendMenuA(custom, MF_STRING | MF_MENUBARBREAK, 2, "&Two");
  AppendMenuA(custom, MF_STRING | MF_HELP, 3, "&Help");
  ASSERT_TRUE(SetMenu(frame_, custom));
  RECT one{}, two{}, help{}, window{};
  GetMenuItemRect(frame_, custom, 0, &one);
  GetMenuItemRect(frame_, custom, 1, &two);
  GetMenuItemRect(frame_, custom, 2, &help);
  GetWindowRect(frame_, &window);
  EXPECT_EQ(two.left, one.left);
  EXPECT_EQ(two.top, one.bottom);
  EXPECT_EQ(help.top, two.top);
  EXPECT_EQ(help.right, window.right - border_);
  SetMenu(frame_, bar_);
  DestroyMenu(custom);
}

TEST_F(MenuWrap, DrawMenuBarRecountsTheRowsAfterItemsChange) {
  resize_for_bar(sum_of_widths() + 10);
  ASSERT_EQ(rows(), 1);
  const int one_row = client_height();
  ASSERT_TRUE(AppendMenuA(bar_, MF_STRING, 4100, "&Options"));
  // Until DrawMenuBar the frame keeps its one row, and the item that would need a second
  // stays out of the client area even when the frame is repainted.
  RedrawWindow(frame_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(client_height(), one_row);
  POINT origin{0, 0};
  ClientToScreen(frame_, &origin);
  int width = 0;
  std::vector<COLORREF> screen = headless::screen_pixels(&width, nullptr);
  int stray = 0;
  for (int y = origin.y; y < origin.y + GetSystemMetrics(SM_CYMENU); ++y)
    for (int x = origin.x; x < origin.x + 60; ++x) stray += screen[static_cast<size_t>(y) * width + x] != GetSysColor(COLOR_WINDOW);
  EXPECT_EQ(stray, 0);
  DrawMenuBar(frame_);
  pump();
  EXPECT_EQ(rows(), 2);
  EXPECT_EQ(client_height(), one_row - GetSystemMetrics(SM_CYMENU));
  ASSERT_TRUE(DeleteMenu(bar_, 3, MF_BYPOSITION));
  DrawMenuBar(frame_);
  pump();
  EXPECT_EQ(rows(), 1);
  EXPECT_EQ(client_height(), one_row);
}

}  // namespace
