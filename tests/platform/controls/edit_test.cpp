// Single-line edit fields: the text model (typing, deleting, caret moves, Shift
// selection, the limit) and the window (WM_SETTEXT/WM_GETTEXT, EN_CHANGE, typing and
// keys through the keyboard, EM_SETSEL/EM_GETSEL, ES_NUMBER).
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <string>
#include <vector>

#include "platform/dialogs/template_builder.h"
#include "user/controls/edit_model.h"

using namespace dialog_test;
using win32::user::EditModel;

namespace {

TEST(EditModel, TypingDeletingAndMovingTheCaret) {
  EditModel m;
  m.replace_selection("abc");
  EXPECT_EQ(m.caret(), 3u);
  m.move_left(false);
  m.replace_selection("X");
  EXPECT_EQ(m.text(), "abXc");
  m.erase_backward();
  m.erase_forward();
  EXPECT_EQ(m.text(), "ab");
  m.move_home(false);
  EXPECT_FALSE(m.erase_backward());  // nothing before the caret
  m.move_end(false);
  EXPECT_FALSE(m.erase_forward());
  m.move_right(false);
  EXPECT_EQ(m.caret(), 2u);
}

TEST(EditModel, ShiftSelectionAndReplacingIt) {
  EditModel m;
  m.set_text("hello world");
  m.move_end(false);
  for (int i = 0; i < 5; ++i) m.move_left(true);
  EXPECT_EQ(m.selection_start(), 6u);
  EXPECT_EQ(m.selection_end(), 11u);
  m.replace_selection("there");
  EXPECT_EQ(m.text(), "hello there");
  m.move_home(true);  // from the end back to the start, all selected
  EXPECT_EQ(m.selection_start(), 0u);
  m.move_right(false);  // collapses to the selection's far end
  EXPECT_FALSE(m.has_selection());
  EXPECT_EQ(m.caret(), 11u);
  m.select(2, -1);
  EXPECT_EQ(m.selection_end(), 11u);
  m.select(-1, 0);
  EXPECT_FALSE(m.has_selection());
  m.select(50, 70);  // clamped
  EXPECT_EQ(m.caret(), 11u);
}

TEST(EditModel, LimitCutsInsertedText) {
  EditModel m;
  m.set_limit(4);
  EXPECT_TRUE(m.replace_selection("abcdef"));
  EXPECT_EQ(m.text(), "abcd");
  EXPECT_FALSE(m.replace_selection("x"));
  m.select(0, 2);
  EXPECT_TRUE(m.replace_selection("xyz"));  // the selection's room is reused
  EXPECT_EQ(m.text(), "xycd");
  m.set_text("longer than four");  // WM_SETTEXT ignores the limit
  EXPECT_EQ(m.text().size(), 16u);
}

std::vector<WPARAM> notifications;

INT_PTR CALLBACK recording_proc(HWND, UINT message, WPARAM wparam, LPARAM) {
  if (message == WM_COMMAND && HIWORD(wparam) == EN_CHANGE) notifications.push_back(wparam);
  return message == WM_INITDIALOG;
}

class Edit : public ::testing::Test {
 protected:
  void SetUp() override {
    notifications.clear();
    TemplateBuilder t(WS_POPUP | WS_VISIBLE, 10, 10, 120, 60, "");
    t.item(kEdit, 30, "start", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 5, 5, 80, 12)
        .item(kEdit, 31, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_NUMBER, 5, 25, 80, 12)
        .item(kEdit, 32, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 5, 40, 23, 12)
        .item(kEdit, 33, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 40, 40, 23, 12);
    dlg_ = CreateDialogIndirectParamA(nullptr, t.get(), nullptr, recording_proc, 0);
    edit_ = GetDlgItem(dlg_, 30);
    pump(dlg_);
    notifications.clear();
  }
  void TearDown() override {
    DestroyWindow(dlg_);
    pump();
  }
  std::string text(HWND h) {
    char buf[128];
    GetWindowTextA(h, buf, sizeof buf);
    return buf;
  }
  HWND dlg_ = nullptr, edit_ = nullptr;
};

TEST_F(Edit, SetTextReportsAChangeAndGetTextReadsIt) {
  SetWindowTextA(edit_, "4096");
  EXPECT_EQ(text(edit_), "4096");
  EXPECT_EQ(GetWindowTextLengthA(edit_), 4);
  EXPECT_EQ(notifications, (std::vector<WPARAM>{MAKEWPARAM(30, EN_CHANGE)}));
  char small[3];
  EXPECT_EQ(GetWindowTextA(edit_, small, sizeof small), 2);
  EXPECT_STREQ(small, "40");
}

TEST_F(Edit, KeyboardEditing) {
  SetFocus(edit_);
  SendMessageA(edit_, EM_SETSEL, 5, 5);
  headless::press_key(VK_BACK);
  headless::press_key(VK_HOME);
  headless::press_key(VK_DELETE);
  headless::type_text("S");
  headless::key(VK_SHIFT, true);
  headless::press_key(VK_END);
  headless::key(VK_SHIFT, false);
  pump(dlg_);
  DWORD start = 0, end = 0;
  SendMessageA(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(text(edit_), "Star");
  EXPECT_EQ(start, 1u);
  EXPECT_EQ(end, 4u);
  headless::type_text("ky");
  pump(dlg_);
  EXPECT_EQ(text(edit_), "Sky");
  EXPECT_EQ(notifications.size(), 5u);  // one per change: back, delete, S, k, y
}

TEST_F(Edit, NumberFieldRefusesLettersAndLimitStopsTyping) {
  HWND number = GetDlgItem(dlg_, 31);
  SetFocus(number);
  headless::clear_beeps();
  headless::type_text("4a2");
  pump(dlg_);
  EXPECT_EQ(text(number), "42");
  EXPECT_EQ(headless::beeps().size(), 1u);
  SendMessageA(number, EM_LIMITTEXT, 3, 0);
  headless::type_text("789");
  pump(dlg_);
  EXPECT_EQ(text(number), "427");
  EXPECT_EQ(SendMessageA(number, EM_GETLIMITTEXT, 0, 0), 3);
}

TEST_F(Edit, WithoutAutoScrollOnlyWhatFitsIsTaken) {
  SetFocus(GetDlgItem(dlg_, 32));
  headless::type_text("1234567890123");
  pump(dlg_);
  std::string narrow = text(GetDlgItem(dlg_, 32));
  EXPECT_GE(narrow.size(), 3u);
  EXPECT_LT(narrow.size(), 13u);
  EXPECT_EQ(narrow, std::string("1234567890123").substr(0, narrow.size()));
  SetFocus(GetDlgItem(dlg_, 33));
  headless::type_text("1234567890123");
  pump(dlg_);
  EXPECT_EQ(text(GetDlgItem(dlg_, 33)), "1234567890123");  // scrolls sideways instead
}

TEST_F(Edit, ClickPlacesTheCaret) {
  RECT r;
  GetClientRect(edit_, &r);
  POINT far_right{r.right - 2, r.bottom / 2};
  ClientToScreen(edit_, &far_right);
  headless::click(far_right.x, far_right.y);
  pump(dlg_);
  EXPECT_EQ(GetFocus(), edit_);
  LRESULT sel = SendMessageA(edit_, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(sel), 5);
  EXPECT_EQ(HIWORD(sel), 5);
}

}  // namespace
