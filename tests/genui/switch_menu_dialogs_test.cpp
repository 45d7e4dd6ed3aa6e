// BLDSwitchMenu's choice of window and its refusals, and how the modeless dialog base
// ends: OK or Cancel destroys the window and frees the object exactly once.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include "framework/window.h"
#include "genui/bld_helpers.h"
#include "genui/kadril_dialogs.h"
#include "genui_support.h"

namespace genui_test {
namespace {

HWND Make(DWORD style, HWND parent, const char* title = "w") {
  return CreateWindowExA(0, "Static", title, style, 0, 0, 200, 120, parent,
                         parent != nullptr ? reinterpret_cast<HMENU>(1) : nullptr, nullptr, nullptr);
}

int Switch(HWND window) {
  const int result = BLDSwitchMenu(CWnd::FromHandle(window), "MAINMENUBAR");
  CWnd::DeleteTempMap();
  return result;
}

TEST(SwitchMenu, CaptionedWindowGetsTheMenuAndLosesTheOldOne) {
  StartFramework();
  HWND window = Make(WS_OVERLAPPEDWINDOW, nullptr);
  ASSERT_EQ(Switch(window), 1);
  HMENU first = GetMenu(window);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetMenuItemCount(first), 3);
  ASSERT_EQ(Switch(window), 1);
  EXPECT_NE(GetMenu(window), first);
  EXPECT_FALSE(IsMenu(first));
  DestroyWindow(window);
}

TEST(SwitchMenu, ControlInACaptionedDialogSwitchesTheDialogsMenu) {
  StartFramework();
  HWND dialog = Make(WS_POPUP | WS_CAPTION | WS_SYSMENU, nullptr);
  HWND control = Make(WS_CHILD | WS_VISIBLE, dialog);
  ASSERT_EQ(Switch(control), 1);
  EXPECT_NE(GetMenu(dialog), nullptr);
  DestroyWindow(dialog);
}

TEST(SwitchMenu, RefusesChildDialogsAndWindowsWithoutCaption) {
  StartFramework();
  HWND top = Make(WS_OVERLAPPEDWINDOW, nullptr);
  HWND childDialog = Make(WS_CHILD | WS_VISIBLE, top);
  HWND control = Make(WS_CHILD | WS_VISIBLE, childDialog);
  EXPECT_EQ(Switch(control), 0);
  EXPECT_EQ(GetMenu(top), nullptr);
  HWND bare = Make(WS_POPUP, nullptr);
  EXPECT_EQ(Switch(bare), 0);
  EXPECT_EQ(GetMenu(bare), nullptr);
  // Only a border, not the whole caption.
  HWND bordered = Make(WS_POPUP | WS_BORDER, nullptr);
  EXPECT_EQ(Switch(bordered), 0);
  EXPECT_EQ(BLDSwitchMenu(nullptr, "MAINMENUBAR"), 0);
  DestroyWindow(top);
  DestroyWindow(bare);
  DestroyWindow(bordered);
}

int modelessDeleted = 0;
class CountedModeless : public CKadrilModelessDlg {
 public:
  ~CountedModeless() override { ++modelessDeleted; }
};

TEST(ModelessDialog, OkAndCancelDestroyTheWindowAndFreeTheObjectOnce) {
  StartFramework();
  for (WPARAM command : {WPARAM{IDOK}, WPARAM{IDCANCEL}}) {
    modelessDeleted = 0;
    auto* dialog = new CountedModeless;
    ASSERT_TRUE(dialog->doCreate("ABOUT", nullptr));
    const HWND window = dialog->hWnd;
    SendMessageA(window, WM_COMMAND, command, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(modelessDeleted, 1);
  }
}

TEST(ModelessDialog, MenuCommandsReachTheSameRoutines) {
  StartFramework();
  auto* dialog = new CountedModeless;
  ASSERT_TRUE(dialog->doCreate("ABOUT", nullptr));
  headless::clear_beeps();
  SendMessageA(dialog->hWnd, WM_COMMAND, 4001, 0);  // Save as...: the default beep
  EXPECT_EQ(headless::beeps(), std::vector<UINT>{0});
  EXPECT_TRUE(IsWindow(dialog->hWnd));
  dialog->DestroyWindow();
}

}  // namespace
}  // namespace genui_test
