// Menu objects: the main menu built from template bytes (pop-up nesting, MF_END,
// separators), the lookup calls, EnableMenuItem's answers, and a menu bar taking its
// height from the client area.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "menu_template.h"

using namespace menu_test;

namespace {

TEST(MenuTemplate, MainMenuNestsPopupsAndEndsEachLevel) {
  std::vector<WORD> bytes = main_menu_template();
  HMENU bar = LoadMenuIndirectA(bytes.data());
  ASSERT_TRUE(bar);
  EXPECT_TRUE(IsMenu(bar));
  ASSERT_EQ(GetMenuItemCount(bar), 3);
  HMENU file = GetSubMenu(bar, 0);
  HMENU help = GetSubMenu(bar, 2);
  ASSERT_TRUE(file);
  ASSERT_TRUE(help);
  EXPECT_EQ(GetSubMenu(bar, 1), nullptr);  // "&Run!" is a command on the bar
  EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuItemID(bar, 1), 4004u);
  EXPECT_EQ(GetMenuItemCount(file), 7);
  EXPECT_EQ(GetMenuItemCount(help), 1);
  const UINT file_ids[] = {0, 4000, 4001, 0, 4002, 0, 4003};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(GetMenuItemID(file, i), file_ids[i]) << i;
  EXPECT_EQ(GetMenuState(file, 0, MF_BYPOSITION), static_cast<UINT>(MF_SEPARATOR));
  // A pop-up's state carries its item count in the high byte.
  EXPECT_EQ(GetMenuState(bar, 0, MF_BYPOSITION), (7u << 8) | MF_POPUP);
  EXPECT_EQ(GetMenuState(bar, 4003, MF_BYCOMMAND), static_cast<UINT>(MF_ENABLED));
  EXPECT_EQ(GetMenuState(bar, 9999, MF_BYCOMMAND), static_cast<UINT>(-1));
  char text[32];
  EXPECT_EQ(GetMenuStringA(bar, 4001, text, sizeof text, MF_BYCOMMAND), 11);
  EXPECT_STREQ(text, "Save &as...");
  GetMenuStringA(bar, 2, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&Help");
  EXPECT_TRUE(DestroyMenu(bar));
  EXPECT_FALSE(IsMenu(bar));
  EXPECT_FALSE(IsMenu(file));  // submenus go with their menu
  EXPECT_FALSE(DestroyMenu(bar));
}

TEST(MenuTemplate, TruncatedOrForeignTemplatesAreRefused) {
  std::vector<WORD> bytes = main_menu_template();
  HRSRC none = FindResourceA(nullptr, "NOSUCHMENU", RT_MENU);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(LoadMenuA(nullptr, "NOSUCHMENU"), nullptr);
  EXPECT_EQ(LoadMenuIndirectA(nullptr), nullptr);
  std::vector<WORD> extended = bytes;
  extended[0] = 1;  // a MENUEX template
  EXPECT_EQ(LoadMenuIndirectA(extended.data()), nullptr);
  // Through the resource path the size is known: every cut is refused.
  for (size_t cut : {size_t{6}, bytes.size() / 2, bytes.size() - 1}) {
    std::vector<WORD> part(bytes.begin(), bytes.begin() + static_cast<long>(cut));
    EXPECT_EQ(register_and_load(part), nullptr) << cut;
  }
  HMENU whole = register_and_load(bytes);
  EXPECT_TRUE(whole);
  DestroyMenu(whole);
}

TEST(MenuItems, EnableMenuItemAnswersThePreviousState) {
  std::vector<WORD> bytes = main_menu_template();
  HMENU bar = LoadMenuIndirectA(bytes.data());
  HMENU file = GetSubMenu(bar, 0);
  // By command through the bar: the pop-ups are searched.
  EXPECT_EQ(EnableMenuItem(bar, 4000, MF_GRAYED | MF_BYCOMMAND), MF_ENABLED);
  EXPECT_EQ(EnableMenuItem(bar, 4000, MF_GRAYED | MF_BYCOMMAND), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(bar, 4000, MF_DISABLED), MF_GRAYED);
  EXPECT_EQ(EnableMenuItem(bar, 4000, MF_ENABLED), MF_DISABLED);
  EXPECT_EQ(EnableMenuItem(bar, 4242, MF_GRAYED), -1);
  // By position: only the menu given.
  EXPECT_EQ(EnableMenuItem(file, 4, MF_GRAYED | MF_BYPOSITION), MF_ENABLED);
  EXPECT_EQ(GetMenuState(bar, 4002, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(EnableMenuItem(bar, 4, MF_GRAYED | MF_BYPOSITION), -1);
  EXPECT_EQ(CheckMenuItem(bar, 4005, MF_CHECKED), static_cast<DWORD>(MF_UNCHECKED));
  EXPECT_EQ(CheckMenuItem(bar, 4005, MF_UNCHECKED), static_cast<DWORD>(MF_CHECKED));
  DestroyMenu(bar);
}

TEST(MenuItems, BuiltMenusAppendAndInsert) {
  HMENU bar = CreateMenu();
  HMENU popup = CreatePopupMenu();
  ASSERT_TRUE(AppendMenuA(popup, MF_STRING, 10, "&One"));
  ASSERT_TRUE(AppendMenuA(popup, MF_SEPARATOR, 0, nullptr));
  ASSERT_TRUE(AppendMenuA(popup, MF_STRING | MF_GRAYED, 12, "&Three"));
  ASSERT_TRUE(InsertMenuA(popup, 12, MF_BYCOMMAND | MF_STRING, 11, "&Two"));
  ASSERT_TRUE(AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&Menu"));
  EXPECT_FALSE(AppendMenuA(bar, MF_POPUP, 0x1234, "bad"));
  EXPECT_EQ(GetMenuItemCount(popup), 4);
  EXPECT_EQ(GetMenuItemID(popup, 2), 11u);
  EXPECT_EQ(GetMenuState(popup, 12, MF_BYCOMMAND), static_cast<UINT>(MF_GRAYED));
  EXPECT_TRUE(DeleteMenu(bar, 10, MF_BYCOMMAND));
  EXPECT_EQ(GetMenuItemCount(popup), 3);
  EXPECT_EQ(GetMenuItemCount(reinterpret_cast<HMENU>(0x1234)), -1);
  DestroyMenu(bar);
}

TEST(MenuBar, SettingAMenuTakesClientHeight) {
  HWND w = CreateWindowExA(0, "Static", "frame", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr, nullptr,
                           nullptr);
  RECT before, after;
  GetClientRect(w, &before);
  std::vector<WORD> bytes = main_menu_template();
  HMENU bar = LoadMenuIndirectA(bytes.data());
  EXPECT_EQ(GetMenu(w), nullptr);
  ASSERT_TRUE(SetMenu(w, bar));
  EXPECT_EQ(GetMenu(w), bar);
  GetClientRect(w, &after);
  EXPECT_EQ(before.bottom - after.bottom, GetSystemMetrics(SM_CYMENU));
  EXPECT_EQ(before.right, after.right);
  EXPECT_TRUE(DrawMenuBar(w));
  EXPECT_FALSE(SetMenu(w, reinterpret_cast<HMENU>(0x4321)));
  HWND child = CreateWindowExA(0, "Static", "", WS_CHILD, 0, 0, 5, 5, w, reinterpret_cast<HMENU>(7), nullptr, nullptr);
  EXPECT_FALSE(SetMenu(child, bar));
  EXPECT_EQ(GetMenu(child), nullptr);
  SetMenu(w, nullptr);
  GetClientRect(w, &after);
  EXPECT_EQ(after.bottom, before.bottom);
  DestroyWindow(w);
  DestroyMenu(bar);
}

TEST(MenuBar, ClassMenuIsLoadedForANewTopLevelWindow) {
  HMENU loaded = register_and_load(main_menu_template());  // registers TESTMENUn
  ASSERT_TRUE(loaded);
  DestroyMenu(loaded);
  char name[32];
  std::snprintf(name, sizeof name, "TESTMENU%d", registered_menu_count() - 1);
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszMenuName = name;
  wc.lpszClassName = "ClassWithMenu";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "ClassWithMenu", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr, nullptr,
                           nullptr);
  HMENU bar = GetMenu(w);
  ASSERT_TRUE(IsMenu(bar));
  EXPECT_EQ(GetMenuItemCount(bar), 3);
  DestroyWindow(w);
  DestroyMenu(bar);
}

TEST(Accelerators, KeysBecomeCommandsUnlessTheItemIsGrayed) {
  static std::vector<WPARAM> commands;
  WNDCLASSA wc{};
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_COMMAND) commands.push_back(wp);
    return DefWindowProcA(h, m, wp, lp);
  };
  wc.lpszClassName = "AccelTarget";
  RegisterClassA(&wc);
  HWND w = CreateWindowExA(0, "AccelTarget", "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                           nullptr);
  std::vector<WORD> bytes = main_menu_template();
  HMENU bar = LoadMenuIndirectA(bytes.data());
  SetMenu(w, bar);
  EnableMenuItem(bar, 4000, MF_GRAYED);
  ACCEL table[] = {{FVIRTKEY, VK_F5, 4004}, {FVIRTKEY | FCONTROL, 'S', 4000}, {0, 'x', 4003}};
  HACCEL accel = CreateAcceleratorTableA(table, 3);
  ASSERT_TRUE(accel);
  MSG f5{w, WM_KEYDOWN, VK_F5, 0, 0, {}};
  MSG x{w, WM_CHAR, 'x', 0, 0, {}};
  MSG other{w, WM_KEYDOWN, VK_F6, 0, 0, {}};
  EXPECT_EQ(TranslateAcceleratorA(w, accel, &f5), 1);
  EXPECT_EQ(TranslateAcceleratorA(w, accel, &x), 1);
  EXPECT_EQ(TranslateAcceleratorA(w, accel, &other), 0);
  EXPECT_EQ(commands, (std::vector<WPARAM>{MAKEWPARAM(4004, 1), MAKEWPARAM(4003, 1)}));
  EXPECT_EQ(TranslateAcceleratorA(w, reinterpret_cast<HACCEL>(0x99), &f5), 0);
  EXPECT_EQ(LoadAcceleratorsA(nullptr, "NOSUCHTABLE"), nullptr);
  DestroyAcceleratorTable(accel);
  DestroyWindow(w);
}

}  // namespace
