// Buttons and static texts: clicks by mouse and space bar, the owner-draw requests an
// owner-drawn button makes (action and state per step, the item rectangle), and the
// control-colour messages that reach the parent.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <vector>

#include "platform/dialogs/template_builder.h"

using namespace dialog_test;

namespace {

struct DrawRequest {
  UINT action;
  UINT state;
  bool operator==(const DrawRequest&) const = default;
};

std::vector<DrawRequest> draws;
std::vector<WPARAM> clicks;
std::vector<std::pair<UINT, HWND>> colour_requests;
RECT last_item{};
HWND last_item_window = nullptr;

INT_PTR CALLBACK recording_proc(HWND, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lparam);
      EXPECT_EQ(dis->CtlType, static_cast<UINT>(ODT_BUTTON));
      EXPECT_EQ(dis->CtlID, 103u);
      EXPECT_EQ(dis->itemID, 0u);
      draws.push_back({dis->itemAction, dis->itemState});
      last_item = dis->rcItem;
      last_item_window = dis->hwndItem;
      return TRUE;
    }
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) clicks.push_back(LOWORD(wparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      colour_requests.push_back({message, reinterpret_cast<HWND>(lparam)});
      return FALSE;
    default: return FALSE;
  }
}

class Buttons : public ::testing::Test {
 protected:
  void SetUp() override {
    TemplateBuilder t(WS_POPUP | WS_VISIBLE, 30, 16, 132, 90, "");
    t.item(kButton, IDOK, "OK", 0x50010001, 94, 70, 30, 14)
        .item(kStatic, 100, "TORVEX Windows NT Benchmark Application", 0x50000001, 8, 5, 114, 16)
        .item(kButton, 103, "ZORGRAPHIC", 0x5001000B, 6, 62, 30, 24);
    dlg_ = CreateDialogIndirectParamA(nullptr, t.get(), nullptr, recording_proc, 0);
    pump(dlg_);
    draws.clear();
    clicks.clear();
    colour_requests.clear();
  }
  void TearDown() override {
    DestroyWindow(dlg_);
    pump();
  }
  POINT centre(int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dlg_, id), &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  HWND dlg_ = nullptr;
};

TEST_F(Buttons, OwnerDrawnButtonReportsEachChangeWithItsState) {
  HWND pic = GetDlgItem(dlg_, 103);
  InvalidateRect(pic, nullptr, TRUE);
  UpdateWindow(pic);
  POINT c = centre(103);
  headless::mouse_move(c.x, c.y);
  headless::mouse_button(0, true);
  pump(dlg_);
  headless::mouse_button(0, false);
  pump(dlg_);
  SetFocus(GetDlgItem(dlg_, IDOK));
  pump(dlg_);
  const std::vector<DrawRequest> expected = {
      {ODA_DRAWENTIRE, 0},                           // painted
      {ODA_FOCUS, ODS_FOCUS},                        // the click gives it the focus
      {ODA_SELECT, ODS_SELECTED | ODS_FOCUS},        // pressed
      {ODA_SELECT, ODS_FOCUS},                       // released
      {ODA_FOCUS, 0},                                // focus moves on
  };
  EXPECT_EQ(draws, expected);
  RECT client;
  GetClientRect(pic, &client);
  EXPECT_TRUE(EqualRect(&last_item, &client));
  EXPECT_EQ(last_item_window, pic);
  EXPECT_EQ(clicks, (std::vector<WPARAM>{103}));
  // The owner-drawn button asked its parent for a brush before painting.
  bool asked = false;
  for (auto& r : colour_requests) asked |= r.first == WM_CTLCOLORBTN && r.second == pic;
  EXPECT_TRUE(asked);
}

TEST_F(Buttons, DisabledOwnerDrawnButtonPaintsDisabled) {
  HWND pic = GetDlgItem(dlg_, 103);
  EnableWindow(pic, FALSE);
  UpdateWindow(pic);
  pump(dlg_);
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back(), (DrawRequest{ODA_DRAWENTIRE, ODS_DISABLED}));
  POINT c = centre(103);
  headless::click(c.x, c.y);
  pump(dlg_);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(Buttons, MouseAndSpaceClickAPushButton) {
  POINT c = centre(IDOK);
  headless::click(c.x, c.y);
  pump(dlg_);
  headless::press_key(VK_SPACE);
  pump(dlg_);
  // Pressed, then released outside: no click.
  headless::mouse_move(c.x, c.y);
  headless::mouse_button(0, true);
  pump(dlg_);  // the button captures the mouse before the next moves are routed
  headless::mouse_move(c.x + 300, c.y + 300);
  headless::mouse_button(0, false);
  pump(dlg_);
  EXPECT_EQ(clicks, (std::vector<WPARAM>{IDOK, IDOK}));
  EXPECT_EQ(SendDlgItemMessageA(dlg_, IDOK, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
}

TEST_F(Buttons, StaticTextAsksItsParentForColoursAndRepaintsOnNewText) {
  HWND label = GetDlgItem(dlg_, 100);
  SetWindowTextA(label, "Running Dhrystones");
  EXPECT_TRUE(GetUpdateRect(label, nullptr, FALSE));
  UpdateWindow(label);
  ASSERT_FALSE(colour_requests.empty());
  EXPECT_EQ(colour_requests.back(), (std::pair<UINT, HWND>{WM_CTLCOLORSTATIC, label}));
  EXPECT_EQ(SendMessageA(label, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
  char text[64];
  GetWindowTextA(label, text, sizeof text);
  EXPECT_STREQ(text, "Running Dhrystones");
}

TEST_F(Buttons, CheckBoxesAndRadioButtonsKeepTheirCheck) {
  TemplateBuilder t(WS_POPUP | WS_VISIBLE, 0, 0, 100, 60, "");
  t.item(kButton, 1, "One", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, 2, 2, 50, 10)
      .item(kButton, 2, "Two", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, 2, 14, 50, 10)
      .item(kButton, 3, "Check", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTOCHECKBOX, 2, 26, 50, 10);
  HWND d = CreateDialogIndirectParamA(nullptr, t.get(), nullptr, recording_proc, 0);
  SendDlgItemMessageA(d, 1, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(d, 1), BST_CHECKED);
  SendDlgItemMessageA(d, 2, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(d, 1), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(d, 2), BST_CHECKED);
  SendDlgItemMessageA(d, 3, BM_CLICK, 0, 0);
  EXPECT_EQ(IsDlgButtonChecked(d, 3), BST_CHECKED);
  CheckDlgButton(d, 3, BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(d, 3), BST_UNCHECKED);
  DestroyWindow(d);
}

}  // namespace
