// List boxes: sorted and unsorted items, the LB_* answers, LB_SETCURSEL out of range,
// the drive listing of LB_DIR with DlgDirSelectExA, and selection by keyboard, mouse and
// the scroll bar.
#include <gtest/gtest.h>
#include <win32_headless.h>
#include <win32_test_kernel.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/dialogs/template_builder.h"

using namespace dialog_test;

namespace {

std::vector<WPARAM> commands;

INT_PTR CALLBACK recording_proc(HWND, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND) commands.push_back(wparam);
  return message == WM_INITDIALOG;
}

class ListBox : public ::testing::Test {
 protected:
  void SetUp() override {
    commands.clear();
    TemplateBuilder t(WS_POPUP | WS_VISIBLE, 20, 20, 120, 100, "");
    t.item(kListBox, 10000, "", 0x50A00003, 10, 10, 60, 40)   // sorted, notify, scroll bar
        .item(kListBox, 20, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 60, 60, 30);  // unsorted
    dlg_ = CreateDialogIndirectParamA(nullptr, t.get(), nullptr, recording_proc, 0);
    list_ = GetDlgItem(dlg_, 10000);
    plain_ = GetDlgItem(dlg_, 20);
    pump(dlg_);
  }
  void TearDown() override {
    DestroyWindow(dlg_);
    pump();
  }
  LRESULT send(HWND h, UINT m, WPARAM w = 0, const char* text = nullptr) {
    return SendMessageA(h, m, w, reinterpret_cast<LPARAM>(text));
  }
  std::vector<std::string> items(HWND h) {
    std::vector<std::string> out;
    char buf[64];
    for (int i = 0; i < send(h, LB_GETCOUNT); ++i) {
      send(h, LB_GETTEXT, static_cast<WPARAM>(i), buf);
      out.push_back(buf);
    }
    return out;
  }
  HWND dlg_ = nullptr, list_ = nullptr, plain_ = nullptr;
};

TEST_F(ListBox, SortedAddAndUnsortedInsert) {
  for (const char* s : {"pear", "Apple", "fig", "apple"}) send(list_, LB_ADDSTRING, 0, s);
  EXPECT_EQ(items(list_), (std::vector<std::string>{"Apple", "apple", "fig", "pear"}));
  EXPECT_EQ(send(list_, LB_ADDSTRING, 0, "banana"), 2);
  EXPECT_EQ(send(plain_, LB_ADDSTRING, 0, "z"), 0);
  EXPECT_EQ(send(plain_, LB_ADDSTRING, 0, "a"), 1);
  EXPECT_EQ(send(plain_, LB_INSERTSTRING, 1, "m"), 1);
  EXPECT_EQ(send(plain_, LB_INSERTSTRING, static_cast<WPARAM>(-1), "end"), 3);
  EXPECT_EQ(send(plain_, LB_INSERTSTRING, 9, "bad"), LB_ERR);
  EXPECT_EQ(items(plain_), (std::vector<std::string>{"z", "m", "a", "end"}));
  EXPECT_EQ(send(plain_, LB_GETTEXTLEN, 3), 3);
  EXPECT_EQ(send(plain_, LB_GETTEXTLEN, 4), LB_ERR);
  EXPECT_EQ(send(plain_, LB_DELETESTRING, 0), 3);
  EXPECT_EQ(send(plain_, LB_DELETESTRING, 7), LB_ERR);
  EXPECT_EQ(send(list_, LB_FINDSTRING, static_cast<WPARAM>(-1), "FI"), 3);
  EXPECT_EQ(send(list_, LB_FINDSTRING, 3, "ap"), 0);  // wraps past the end
  EXPECT_EQ(send(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), "APPLE"), 0);
  EXPECT_EQ(send(list_, LB_FINDSTRING, static_cast<WPARAM>(-1), "kiwi"), LB_ERR);
  send(plain_, LB_RESETCONTENT);
  EXPECT_EQ(send(plain_, LB_GETCOUNT), 0);
}

TEST_F(ListBox, SetCurSelOutOfRangeClearsAndAnswersError) {
  for (const char* s : {"a", "b", "c"}) send(list_, LB_ADDSTRING, 0, s);
  EXPECT_EQ(send(list_, LB_SETCURSEL, 1), 1);
  EXPECT_EQ(send(list_, LB_GETCURSEL), 1);
  EXPECT_EQ(send(list_, LB_SETCURSEL, 3), LB_ERR);
  EXPECT_EQ(send(list_, LB_GETCURSEL), LB_ERR);
  send(list_, LB_SETCURSEL, 2);
  EXPECT_EQ(send(list_, LB_SETCURSEL, static_cast<WPARAM>(-1)), LB_ERR);
  EXPECT_EQ(send(list_, LB_GETCURSEL), LB_ERR);
  // Deleting an item above the selection keeps the same item selected.
  send(list_, LB_SETCURSEL, 2);
  send(list_, LB_DELETESTRING, 0);
  EXPECT_EQ(send(list_, LB_GETCURSEL), 1);
  EXPECT_TRUE(commands.empty());  // programmatic selection sends no LBN_SELCHANGE
}

TEST_F(ListBox, DriveListAndDlgDirSelectEx) {
  const char* saved = std::getenv("TORVEX_DRIVES");
  std::string saved_value = saved ? saved : "";
  setenv("TORVEX_DRIVES", "d=/tmp;a=/tmp;c=/tmp", 1);
  win32_test::reload_drive_table();
  send(list_, LB_ADDSTRING, 0, "zzz");  // LB_DIR adds to what is there
  send(list_, LB_RESETCONTENT);
  LRESULT last = send(list_, LB_DIR, DDL_DRIVES | DDL_EXCLUSIVE, "*.*");
  EXPECT_EQ(items(list_), (std::vector<std::string>{"[-a-]", "[-c-]", "[-d-]"}));
  EXPECT_EQ(last, 2);

  char drive[4] = "xx";
  EXPECT_FALSE(DlgDirSelectExA(dlg_, drive, sizeof drive, 10000));  // no selection
  EXPECT_STREQ(drive, "xx");
  send(list_, LB_SETCURSEL, 1);
  EXPECT_TRUE(DlgDirSelectExA(dlg_, drive, sizeof drive, 10000));
  EXPECT_STREQ(drive, "c:");
  char tiny[2];
  EXPECT_TRUE(DlgDirSelectExA(dlg_, tiny, sizeof tiny, 10000));
  EXPECT_STREQ(tiny, "c");

  send(plain_, LB_ADDSTRING, 0, "readme");
  send(plain_, LB_SETCURSEL, 0);
  char file[16];
  EXPECT_FALSE(DlgDirSelectExA(dlg_, file, sizeof file, 20));
  EXPECT_STREQ(file, "readme.");

  if (saved) setenv("TORVEX_DRIVES", saved_value.c_str(), 1);
  else unsetenv("TORVEX_DRIVES");
  win32_test::reload_drive_table();
}

TEST_F(ListBox, KeyboardAndMouseSelectionNotifyTheParent) {
  for (const char* s : {"a0", "a1", "a2", "a3", "a4", "a5", "a6"}) send(list_, LB_ADDSTRING, 0, s);
  SetFocus(list_);
  pump(dlg_);
  commands.clear();
  headless::press_key(VK_DOWN);  // nothing selected: the first item
  headless::press_key(VK_DOWN);
  headless::press_key(VK_END);
  pump(dlg_);
  EXPECT_EQ(send(list_, LB_GETCURSEL), 6);
  int changes = 0;
  for (WPARAM w : commands)
    if (w == MAKEWPARAM(10000, LBN_SELCHANGE)) ++changes;
  EXPECT_EQ(changes, 3);
  // The end of the list scrolled into view.
  EXPECT_GT(send(list_, LB_GETTOPINDEX), 0);

  send(list_, LB_SETTOPINDEX, 0);
  RECT item;
  send(list_, LB_GETITEMRECT, 1, reinterpret_cast<const char*>(&item));
  POINT p{item.left + 5, item.top + 3};
  ClientToScreen(list_, &p);
  commands.clear();
  headless::click(p.x, p.y);
  pump(dlg_);
  EXPECT_EQ(send(list_, LB_GETCURSEL), 1);
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.back(), MAKEWPARAM(10000, LBN_SELCHANGE));
}

TEST_F(ListBox, ScrollBarArrowsMoveTheTopItem) {
  for (int i = 0; i < 20; ++i) send(list_, LB_ADDSTRING, 0, ("item" + std::to_string(100 + i)).c_str());
  RECT window, client;
  GetWindowRect(list_, &window);
  GetClientRect(list_, &client);
  POINT client_origin{0, 0};
  ClientToScreen(list_, &client_origin);
  // The bar sits right of the client area, inside the border.
  EXPECT_LE(client_origin.x + client.right + 16, window.right);
  int bar_x = client_origin.x + client.right + 8;
  headless::click(bar_x, client_origin.y + client.bottom - 4);  // the down arrow
  headless::click(bar_x, client_origin.y + client.bottom - 4);
  pump(dlg_);
  EXPECT_EQ(send(list_, LB_GETTOPINDEX), 2);
  headless::click(bar_x, client_origin.y + 4);  // the up arrow
  pump(dlg_);
  EXPECT_EQ(send(list_, LB_GETTOPINDEX), 1);
}

}  // namespace
