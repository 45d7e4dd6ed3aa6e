// Modeless dialogs from templates: the benchmark client dialog's controls (ids, order,
// classes, pixel rectangles from dialog units), the creation messages and first focus,
// and the keyboard interface as navigation tables.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <string>
#include <vector>

#include "platform/dialogs/template_builder.h"

using namespace dialog_test;

namespace {

std::vector<std::pair<UINT, WPARAM>> events;  // (message, wParam) seen by the dialog procedure

INT_PTR CALLBACK logging_proc(HWND, UINT message, WPARAM wparam, LPARAM) {
  bool click = message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED;
  if (message == WM_SETFONT || message == WM_INITDIALOG || click) events.push_back({message, wparam});
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR CALLBACK no_focus_proc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG ? FALSE : FALSE; }

int to_x(int du) { return (du * LOWORD(GetDialogBaseUnits()) + 2) / 4; }
int to_y(int du) { return (du * HIWORD(GetDialogBaseUnits()) + 4) / 8; }

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    events.clear();
    pump();
  }
  void TearDown() override {
    for (HWND h : windows_)
      if (IsWindow(h)) DestroyWindow(h);
    pump();
  }
  HWND keep(HWND h) {
    windows_.push_back(h);
    return h;
  }
  HWND bench(DLGPROC proc = logging_proc) {
    TemplateBuilder t = bench_dialog(0x84000000 | WS_VISIBLE);
    HWND dlg = keep(CreateDialogIndirectParamA(nullptr, t.get(), nullptr, proc, 0));
    pump(dlg);
    return dlg;
  }
  std::vector<HWND> windows_;
};

TEST_F(Dialogs, BenchDialogControlsComeInTemplateOrderWithTheirClassesAndPlaces) {
  HWND dlg = bench();
  ASSERT_TRUE(dlg);
  char cls[32];
  GetClassNameA(dlg, cls, sizeof cls);
  EXPECT_STREQ(cls, "#32770");
  struct Expected {
    int id;
    const char* cls;
    int x, y, cx, cy;
  };
  const Expected table[] = {
      {100, "Static", 2, 2, 37, 12},    {102, "Static", 70, 2, 32, 9},     {104, "Static", 4, 19, 32, 10},
      {10001, "Edit", 106, 2, 23, 12},  {10002, "Edit", 40, 18, 28, 12},   {108, "Static", 75, 19, 27, 10},
      {10003, "Edit", 106, 17, 23, 12}, {110, "Static", 5, 31, 48, 17},    {10004, "Static", 61, 34, 32, 12},
      {112, "Static", 99, 34, 30, 13},  {113, "Static", 5, 50, 48, 17},    {114, "Static", 5, 68, 48, 17},
      {10005, "Static", 61, 53, 32, 12}, {10006, "Static", 61, 71, 32, 12}, {117, "Static", 99, 52, 30, 13},
      {118, "Static", 99, 72, 30, 13},  {10007, "Static", 5, 86, 122, 20}, {10000, "ListBox", 40, 0, 27, 16},
  };
  HWND child = GetWindow(dlg, GW_CHILD);
  POINT origin{0, 0};
  ClientToScreen(dlg, &origin);
  for (const Expected& e : table) {
    ASSERT_TRUE(child) << e.id;
    EXPECT_EQ(GetDlgCtrlID(child), e.id);
    GetClassNameA(child, cls, sizeof cls);
    EXPECT_STRCASEEQ(cls, e.cls) << e.id;
    RECT r;
    GetWindowRect(child, &r);
    EXPECT_EQ(r.left - origin.x, to_x(e.x)) << e.id;
    EXPECT_EQ(r.top - origin.y, to_y(e.y)) << e.id;
    EXPECT_EQ(r.right - r.left, to_x(e.cx)) << e.id;
    // The drive list shrinks to show whole items only (16-pixel items inside its edge).
    int height = to_y(e.cy);
    if (e.id == 10000) height -= (height - 4) % 16;
    EXPECT_EQ(r.bottom - r.top, height) << e.id;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);
  RECT client;
  GetClientRect(dlg, &client);
  EXPECT_EQ(client.right, to_x(132));
  EXPECT_EQ(client.bottom, to_y(109));
  char text[32];
  GetDlgItemTextA(dlg, 10002, text, sizeof text);
  EXPECT_STREQ(text, "4096");
  GetDlgItemTextA(dlg, 10007, text, sizeof text);
  EXPECT_STREQ(text, "Status: Not Running");
}

TEST_F(Dialogs, MapDialogRectUsesTheBaseUnitFormula) {
  HWND dlg = bench();
  RECT r{4, 8, 132, 109};
  ASSERT_TRUE(MapDialogRect(dlg, &r));
  EXPECT_EQ(r.left, to_x(4));
  EXPECT_EQ(r.top, to_y(8));
  EXPECT_EQ(r.right, to_x(132));
  EXPECT_EQ(r.bottom, to_y(109));
  HWND plain = keep(CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
  EXPECT_FALSE(MapDialogRect(plain, &r));
}

TEST_F(Dialogs, FontComesBeforeInitDialogWhichNamesTheFirstTabStop) {
  TemplateBuilder t(WS_POPUP | DS_SETFONT, 0, 0, 100, 50, "", "MS Sans Serif", 8);
  t.item(kStatic, 10, "&Name:", WS_CHILD | WS_VISIBLE, 2, 2, 20, 10)
      .item(kEdit, 11, "abc", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 24, 2, 40, 12)
      .item(kButton, IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 2, 20, 30, 14);
  HWND dlg = keep(CreateDialogIndirectParamA(nullptr, t.get(), nullptr, logging_proc, 0));
  ASSERT_TRUE(dlg);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].first, static_cast<UINT>(WM_SETFONT));
  EXPECT_EQ(events[1].first, static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(reinterpret_cast<HWND>(events[1].second), GetDlgItem(dlg, 11));
  EXPECT_EQ(GetFocus(), GetDlgItem(dlg, 11));
  // The edit field got its text selected as the first focus.
  DWORD start = 9, end = 9;
  SendDlgItemMessageA(dlg, 11, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 3u);
  EXPECT_EQ(SendDlgItemMessageA(dlg, 11, WM_GETFONT, 0, 0), SendMessageA(dlg, WM_GETFONT, 0, 0));
  EXPECT_NE(SendMessageA(dlg, WM_GETFONT, 0, 0), 0);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
  EXPECT_FALSE(IsWindowVisible(dlg));  // no WS_VISIBLE in the template

  HWND focus_before = GetFocus();
  HWND quiet = keep(CreateDialogIndirectParamA(nullptr, t.get(), nullptr, no_focus_proc, 0));
  ASSERT_TRUE(quiet);
  EXPECT_EQ(GetFocus(), focus_before);  // FALSE from WM_INITDIALOG: focus left alone
}

// Tab and Shift+Tab over the benchmark dialog: the three edit fields in template order,
// wrapping; the list box has no tab stop and is never reached.
TEST_F(Dialogs, TabOrderSkipsTheListBox) {
  HWND dlg = bench();
  ASSERT_EQ(GetFocus(), GetDlgItem(dlg, 10001));
  const int forward[] = {10002, 10003, 10001, 10002};
  for (int id : forward) {
    headless::press_key(VK_TAB);
    pump(dlg);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
  }
  const int backward[] = {10001, 10003, 10002};
  headless::key(VK_SHIFT, true);
  for (int id : backward) {
    headless::press_key(VK_TAB);
    pump(dlg);
    EXPECT_EQ(GetDlgCtrlID(GetFocus()), id);
  }
  headless::key(VK_SHIFT, false);
  pump(dlg);
  // GetNextDlgTabItem gives the same order directly.
  EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dlg, GetDlgItem(dlg, 10003), FALSE)), 10001);
  EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dlg, GetDlgItem(dlg, 10001), TRUE)), 10003);
  EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dlg, nullptr, FALSE)), 10001);
  EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dlg, GetDlgItem(dlg, 10000), FALSE)), 10001);
}

TEST_F(Dialogs, TabSelectsTheWholeTextOfTheEditItReaches) {
  HWND dlg = bench();
  headless::press_key(VK_TAB);
  pump(dlg);
  ASSERT_EQ(GetDlgCtrlID(GetFocus()), 10002);
  LRESULT sel = SendDlgItemMessageA(dlg, 10002, EM_GETSEL, 0, 0);
  EXPECT_EQ(LOWORD(sel), 0);
  EXPECT_EQ(HIWORD(sel), 4);
  headless::type_text("77");
  pump(dlg);
  EXPECT_EQ(GetDlgItemInt(dlg, 10002, nullptr, FALSE), 77u);
}

TEST_F(Dialogs, EnterAndEscapeBecomeCommands) {
  HWND dlg = bench();
  events.clear();
  headless::press_key(VK_RETURN);
  headless::press_key(VK_ESCAPE);
  pump(dlg);
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0], (std::pair<UINT, WPARAM>{WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)}));
  EXPECT_EQ(events[1], (std::pair<UINT, WPARAM>{WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)}));
  // Nothing was typed into the field by those keys.
  char text[16];
  GetDlgItemTextA(dlg, 10001, text, sizeof text);
  EXPECT_STREQ(text, "1");
}

TEST_F(Dialogs, EnterPressesTheDefaultOrTheFocusedPushButton) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 0, 0, 120, 40, "");
  t.item(kEdit, 11, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 2, 2, 40, 12)
      .item(kButton, 21, "Go", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 2, 20, 30, 14)
      .item(kButton, 22, "Run", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 20, 30, 14);
  HWND dlg = keep(CreateDialogIndirectParamA(nullptr, t.get(), nullptr, logging_proc, 0));
  pump(dlg);
  events.clear();
  headless::press_key(VK_RETURN);  // focus in the edit: the default button
  pump(dlg);
  headless::press_key(VK_TAB);  // to "Go", which then acts as the default
  headless::press_key(VK_RETURN);
  pump(dlg);
  headless::press_key(VK_SPACE);  // space clicks the focused button
  pump(dlg);
  std::vector<WORD> ids;
  for (auto& e : events) ids.push_back(LOWORD(e.second));
  EXPECT_EQ(ids, (std::vector<WORD>{22, 21, 21}));
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, 21), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, 22), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);

  headless::press_key(VK_TAB);  // on through "Run" back to the edit: the real default keeps its frame
  headless::press_key(VK_TAB);
  pump(dlg);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 11);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, 21), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(GetDlgItem(dlg, 22), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(22, DC_HASDEFID));

  SendMessageA(dlg, DM_SETDEFID, 21, 0);
  EXPECT_EQ(SendMessageA(dlg, DM_GETDEFID, 0, 0), MAKELONG(21, DC_HASDEFID));
}

TEST_F(Dialogs, MnemonicOfALabelMovesToTheNextControl) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 0, 0, 120, 60, "");
  t.item(kStatic, 10, "&Name:", WS_CHILD | WS_VISIBLE, 2, 2, 20, 10)
      .item(kEdit, 11, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 24, 2, 40, 12)
      .item(kStatic, 12, "&Size:", WS_CHILD | WS_VISIBLE, 2, 20, 20, 10)
      .item(kEdit, 13, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 24, 20, 40, 12);
  HWND dlg = keep(CreateDialogIndirectParamA(nullptr, t.get(), nullptr, logging_proc, 0));
  pump(dlg);
  ASSERT_EQ(GetDlgCtrlID(GetFocus()), 11);
  headless::key(VK_MENU, true);
  headless::press_key('S');
  headless::key(VK_MENU, false);
  pump(dlg);
  EXPECT_EQ(GetDlgCtrlID(GetFocus()), 13);
}

TEST_F(Dialogs, CloseBoxPostsCancelAndControlColoursComeFromTheDialog) {
  HWND dlg = bench();
  events.clear();
  SendMessageA(dlg, WM_CLOSE, 0, 0);
  pump(dlg);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(LOWORD(events[0].second), IDCANCEL);
  // The default dialog colour is the button face.
  HDC dc = GetDC(dlg);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dlg, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(dlg)));
  ReleaseDC(dlg, dc);
  EXPECT_EQ(brush, GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace
