// Using the menu bar as a person does: Alt, F10 and Alt+letter, arrows, Enter and
// Escape, and the mouse on the bar and in pop-ups. Each run checks the WM_COMMAND that
// arrives (none for a grayed item) and the menu messages around it.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <functional>
#include <vector>

#include "menu_template.h"

using namespace menu_test;

namespace {

std::vector<UINT> commands;
std::vector<UINT> menu_messages;  // WM_INITMENU / WM_INITMENUPOPUP / WM_ENTERMENULOOP / WM_EXITMENULOOP
std::vector<std::function<void()>> idle_steps;  // one per WM_ENTERIDLE of the menu loop
std::vector<std::pair<UINT, UINT>> owner_draws;  // (message, item id)

LRESULT CALLBACK frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: commands.push_back(LOWORD(wparam)); return 0;
    case WM_INITMENU:
    case WM_INITMENUPOPUP:
    case WM_ENTERMENULOOP:
    case WM_EXITMENULOOP: menu_messages.push_back(message); break;
    case WM_ENTERIDLE:
      if (wparam == MSGF_MENU && !idle_steps.empty()) {
        auto step = idle_steps.front();
        idle_steps.erase(idle_steps.begin());
        step();
      }
      return 0;
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      owner_draws.push_back({message, mis->itemID});
      EXPECT_EQ(mis->CtlType, static_cast<UINT>(ODT_MENU));
      mis->itemWidth = 60;
      mis->itemHeight = 24;
      return TRUE;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      owner_draws.push_back({message, dis->itemID});
      EXPECT_EQ(dis->CtlType, static_cast<UINT>(ODT_MENU));
      EXPECT_TRUE(IsMenu(reinterpret_cast<HMENU>(dis->hwndItem)));
      FillRect(dis->hDC, &dis->rcItem, GetSysColorBrush((dis->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      return TRUE;
    }
    default: break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

class MenuUse : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = frame_proc;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      wc.lpszClassName = "MenuTestFrame";
      RegisterClassA(&wc);
      registered = true;
    }
    std::vector<WORD> bytes = main_menu_template();
    bar_ = LoadMenuIndirectA(bytes.data());
    frame_ = CreateWindowExA(0, "MenuTestFrame", "TORVEX NT Benchmarks", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                             420, 300, nullptr, bar_, nullptr, nullptr);
    // As the program does at creation: Save, Save as... and Print start grayed.
    for (UINT id : {4000u, 4001u, 4002u}) EnableMenuItem(bar_, id, MF_GRAYED | MF_BYCOMMAND);
    DrawMenuBar(frame_);
    pump();
    commands.clear();
    menu_messages.clear();
    idle_steps.clear();
    owner_draws.clear();
  }
  void TearDown() override {
    DestroyWindow(frame_);
    DestroyMenu(bar_);
    pump();
  }
  void keys(std::initializer_list<UINT> vks) {
    for (UINT vk : vks) headless::press_key(vk);
  }
  void alt(UINT vk) {
    headless::key(VK_MENU, true);
    headless::press_key(vk);
    headless::key(VK_MENU, false);
  }
  POINT centre_of(HMENU menu, UINT position) {
    RECT r{};
    EXPECT_TRUE(GetMenuItemRect(frame_, menu, position, &r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  void click(POINT p) { headless::click(p.x, p.y); }
  HWND frame_ = nullptr;
  HMENU bar_ = nullptr;
};

TEST_F(MenuUse, AltThenArrowsReachTheCommandOnTheBar) {
  keys({VK_MENU, VK_RIGHT, VK_RETURN});
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4004}));
  EXPECT_EQ(menu_messages, (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENU, WM_EXITMENULOOP}));
}

TEST_F(MenuUse, AltLetterOpensThePopupAndEnterChooses) {
  alt('H');
  keys({VK_RETURN});
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4005}));
  EXPECT_EQ(menu_messages, (std::vector<UINT>{WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_EXITMENULOOP}));
}

TEST_F(MenuUse, MnemonicInsideAPopupChoosesAtOnce) {
  alt('F');
  keys({'X'});
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4003}));
}

TEST_F(MenuUse, GrayedItemsAreNeverChosenFromTheKeyboard) {
  // F10, down into File: the first item after the separator is the grayed Save.
  keys({VK_F10, VK_DOWN, VK_RETURN, 'S', 'P', VK_ESCAPE, VK_ESCAPE});
  pump();
  EXPECT_TRUE(commands.empty());
  // Once enabled, the same keys choose it.
  EnableMenuItem(bar_, 4000, MF_ENABLED);
  keys({VK_F10, VK_DOWN, VK_RETURN});
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4000}));
}

TEST_F(MenuUse, LeftAndRightWalkTheOpenPopupsAlongTheBar) {
  // File open; Right passes the command item and lands in Help's pop-up.
  alt('F');
  keys({VK_RIGHT, VK_RIGHT, VK_RETURN});
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4005}));
}

TEST_F(MenuUse, MouseOnTheBarAndInThePopup) {
  idle_steps.push_back([this] { click(centre_of(GetSubMenu(bar_, 0), 6)); });  // Exit
  click(centre_of(bar_, 0));
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4003}));

  commands.clear();
  click(centre_of(bar_, 1));  // the command on the bar
  pump();
  EXPECT_EQ(commands, (std::vector<UINT>{4004}));
}

TEST_F(MenuUse, ClicksOnGrayedItemsOrSeparatorsDoNothingAndOutsideCloses) {
  HMENU file = GetSubMenu(bar_, 0);
  idle_steps.push_back([this, file] { click(centre_of(file, 1)); });  // grayed Save
  idle_steps.push_back([this, file] { click(centre_of(file, 3)); });  // a separator
  idle_steps.push_back([this] {
    RECT r;
    GetClientRect(frame_, &r);
    POINT p{r.right - 10, r.bottom - 10};
    ClientToScreen(frame_, &p);
    click(p);  // outside every menu
  });
  click(centre_of(bar_, 0));
  pump();
  EXPECT_TRUE(commands.empty());
  EXPECT_TRUE(idle_steps.empty());
  EXPECT_EQ(menu_messages.back(), static_cast<UINT>(WM_EXITMENULOOP));
}

TEST_F(MenuUse, OwnerDrawnItemsAreMeasuredAndDrawnByTheOwner) {
  HMENU help = GetSubMenu(bar_, 2);
  AppendMenuA(help, MF_OWNERDRAW, 4100, reinterpret_cast<LPCSTR>(0x1234));
  RECT item{};
  idle_steps.push_back([&] {
    GetMenuItemRect(frame_, help, 1, &item);
    keys({VK_ESCAPE, VK_ESCAPE});
  });
  alt('H');
  pump();
  EXPECT_GE(item.right - item.left, 60);  // every item spans the pop-up's width
  EXPECT_EQ(item.bottom - item.top, 24);
  ASSERT_GE(owner_draws.size(), 2u);
  EXPECT_EQ(owner_draws[0], (std::pair<UINT, UINT>{WM_MEASUREITEM, 4100}));
  EXPECT_EQ(owner_draws[1], (std::pair<UINT, UINT>{WM_DRAWITEM, 4100}));
}

TEST_F(MenuUse, TrackPopupMenuReturnsTheChosenCommand) {
  HMENU popup = CreatePopupMenu();
  AppendMenuA(popup, MF_STRING, 1, "&First");
  AppendMenuA(popup, MF_STRING, 2, "&Second");
  idle_steps.push_back([] { headless::press_key(VK_DOWN); });
  idle_steps.push_back([] { headless::press_key(VK_DOWN); });
  idle_steps.push_back([] { headless::press_key(VK_RETURN); });
  SetForegroundWindow(frame_);
  SetFocus(frame_);
  EXPECT_EQ(TrackPopupMenu(popup, TPM_RETURNCMD, 100, 100, 0, frame_, nullptr), 2);
  pump();
  EXPECT_TRUE(commands.empty());
  DestroyMenu(popup);
}

}  // namespace
