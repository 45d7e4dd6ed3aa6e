// Owner-draw requests reach the menu or control object responsible for them, or the
// default processing; the seven control-colour messages arrive as one WM_CTLCOLOR whose
// brush answers them; dialogs colour their controls with their own brush.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/support/framework_env.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"
#include "platform/dialogs/template_builder.h"

namespace {

std::vector<std::string> routed;

class ParentWnd : public CWnd {
 public:
  int defaults = 0;
  UINT lastDefault = 0;
  using CWnd::CreateEx;
  LRESULT DefWindowProcA(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    ++defaults;
    lastDefault = nMsg;
    return CWnd::DefWindowProcA(nMsg, wParam, lParam);
  }
};

// Records what WM_CTLCOLOR brought and answers with its own brush.
class ColourWnd : public ParentWnd {
 public:
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  CDC* seenDC = nullptr;
  CWnd* seenWnd = nullptr;
  UINT seenType = 99;
  ~ColourWnd() override { DeleteObject(brush); }
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlType) {
    seenDC = pDC;
    seenWnd = pWnd;
    seenType = nCtlType;
    return brush;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ColourWnd, ParentWnd)
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// Control objects need their own slot for the system class procedure.
template <class Base>
class Control : public Base {
 public:
  static inline WNDPROC pfnSuper = nullptr;
  WNDPROC* GetSuperWndProcAddr() override { return &pfnSuper; }
};

class OwnerButton : public Control<CButton> {
 public:
  void DrawItem(LPDRAWITEMSTRUCT) override { routed.push_back("button draw"); }
};

class OwnerList : public Control<CListBox> {
 public:
  void DrawItem(LPDRAWITEMSTRUCT) override { routed.push_back("list draw"); }
  void MeasureItem(LPMEASUREITEMSTRUCT) override { routed.push_back("list measure"); }
  int CompareItem(LPCOMPAREITEMSTRUCT) override { return -1; }
  void DeleteItem(LPDELETEITEMSTRUCT) override { routed.push_back("list delete"); }
};

class OwnerMenu : public CMenu {
 public:
  void DrawItem(LPDRAWITEMSTRUCT) override { routed.push_back("menu draw"); }
  void MeasureItem(LPMEASUREITEMSTRUCT) override { routed.push_back("menu measure"); }
};

class OwnerDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    fw_test::StartFramework();
    routed.clear();
    ASSERT_TRUE(parent.CreateEx(0, _afxWnd, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 150, nullptr, nullptr));
    parent.defaults = 0;
    sharedSuper = *CWnd().GetSuperWndProcAddr();
  }
  void TearDown() override {
    // A plain CWnd made of a system class fills the slot all plain CWnds share; later
    // tests (in whatever order the runtime registered them) expect it as it was.
    *CWnd().GetSuperWndProcAddr() = sharedSuper;
    CWnd::DeleteTempMap();
    CMenu::DeleteTempMap();
    CDC::DeleteTempMap();
  }
  LRESULT Draw(UINT type, HWND item) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = type;
    dis.hwndItem = item;
    return parent.SendMessageA(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
  }
  ParentWnd parent;
  WNDPROC sharedSuper = nullptr;
};

TEST_F(OwnerDraw, ControlRequestsReachControlObjectsOfTheMatchingClass) {
  OwnerButton button;
  ASSERT_TRUE(button.Create("Button", "b", BS_OWNERDRAW, CRect(0, 0, 30, 20), &parent, 11));
  OwnerList list;
  ASSERT_TRUE(list.Create("ListBox", "", 0, CRect(0, 30, 60, 90), &parent, 12));
  CWnd plainList;
  ASSERT_TRUE(plainList.Create("ListBox", "", 0, CRect(0, 30, 60, 90), &parent, 13));
  HWND noObject = CreateWindowExA(0, "ListBox", "", WS_CHILD, 0, 0, 10, 10, parent.hWnd,
                                  reinterpret_cast<HMENU>(14), nullptr, nullptr);
  parent.defaults = 0;
  routed.clear();

  Draw(ODT_BUTTON, button.hWnd);
  Draw(ODT_LISTBOX, list.hWnd);
  EXPECT_EQ(routed, (std::vector<std::string>{"button draw", "list draw"}));
  EXPECT_EQ(parent.defaults, 0);

  // A type that does not fit the object, a plain CWnd and a window without an object:
  // each falls back to the default processing.
  Draw(ODT_BUTTON, list.hWnd);
  Draw(ODT_LISTBOX, plainList.hWnd);
  Draw(ODT_LISTBOX, noObject);
  EXPECT_EQ(routed.size(), 2u);
  EXPECT_EQ(parent.defaults, 3);

  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_LISTBOX;
  mis.CtlID = 12;  // found through the id, the structure has no window
  parent.SendMessageA(WM_MEASUREITEM, 12, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(routed.back(), "list measure");

  COMPAREITEMSTRUCT cis{};
  cis.CtlType = ODT_LISTBOX;
  cis.hwndItem = list.hWnd;
  EXPECT_EQ(parent.SendMessageA(WM_COMPAREITEM, 12, reinterpret_cast<LPARAM>(&cis)), -1);
  cis.CtlType = ODT_BUTTON;
  parent.defaults = 0;
  EXPECT_EQ(parent.SendMessageA(WM_COMPAREITEM, 12, reinterpret_cast<LPARAM>(&cis)), 0);
  EXPECT_EQ(parent.defaults, 1);

  DELETEITEMSTRUCT del{};
  del.CtlType = ODT_LISTBOX;
  del.hwndItem = list.hWnd;
  parent.SendMessageA(WM_DELETEITEM, 12, reinterpret_cast<LPARAM>(&del));
  EXPECT_EQ(routed.back(), "list delete");
}

TEST_F(OwnerDraw, MenuItemsReachTheMenuThatHoldsThem) {
  HMENU bar = LoadMenuA(GetModuleHandleA(nullptr), "MAINMENUBAR");
  ASSERT_NE(bar, nullptr);
  SetMenu(parent.hWnd, bar);
  parent.defaults = 0;
  HMENU help = GetSubMenu(bar, 2);

  CMenu* barObject = CMenu::FromHandle(bar);
  EXPECT_EQ(FindPopupMenuFromID(barObject, 4005)->hMenu, help);
  EXPECT_EQ(FindPopupMenuFromID(barObject, 4004)->hMenu, bar);
  EXPECT_EQ(FindPopupMenuFromID(barObject, 4001)->hMenu, GetSubMenu(bar, 0));
  EXPECT_EQ(FindPopupMenuFromID(barObject, 9999), nullptr);

  OwnerMenu helpObject;
  helpObject.Attach(help);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = 4005;
  parent.SendMessageA(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  Draw(ODT_MENU, reinterpret_cast<HWND>(help));
  EXPECT_EQ(routed, (std::vector<std::string>{"menu measure", "menu draw"}));
  EXPECT_EQ(parent.defaults, 0);
  // A window without a menu finds nothing for a menu item.
  SetMenu(parent.hWnd, nullptr);
  parent.defaults = 0;
  parent.SendMessageA(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  EXPECT_EQ(parent.defaults, 1);
  helpObject.Detach();
  DestroyMenu(bar);
}

TEST(ControlColour, StaticColourArrivesAsOneMessageAndItsBrushAnswers) {
  fw_test::StartFramework();
  ColourWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, _afxWnd, "colour", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr));
  HWND label = CreateWindowExA(0, "Static", "label", WS_CHILD | SS_LEFT, 0, 0, 40, 20, wnd.hWnd, nullptr,
                               nullptr, nullptr);
  HDC dc = GetDC(label);
  LRESULT answer = SendMessageA(wnd.hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(answer), wnd.brush);
  EXPECT_EQ(wnd.seenType, 6u);
  ASSERT_NE(wnd.seenWnd, nullptr);
  EXPECT_EQ(wnd.seenWnd->hWnd, label);
  ASSERT_NE(wnd.seenDC, nullptr);
  EXPECT_EQ(wnd.seenDC->hDC, dc);
  SendMessageA(wnd.hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label));
  EXPECT_EQ(wnd.seenType, 1u);
  // The framework's own message without its record reaches no handler.
  wnd.seenType = 99;
  EXPECT_EQ(SendMessageA(wnd.hWnd, WM_CTLCOLOR, 0, 0), 0);
  EXPECT_EQ(wnd.seenType, 99u);
  ReleaseDC(label, dc);
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
}

class ColourDialog : public CDialog {
 public:
  BOOL Make(const void* dlgTemplate) { return CreateIndirect(dlgTemplate, nullptr); }
};

TEST(ControlColour, DialogBrushColoursStaticsButNotEditsAndCanBeSwitchedOff) {
  fw_test::StartFramework();
  dialog_test::TemplateBuilder dlgTemplate(WS_POPUP, 0, 0, 100, 60);
  dlgTemplate.item(0x0082, 50, "label", WS_CHILD | WS_VISIBLE, 2, 2, 40, 12);
  dlgTemplate.item(0x0081, 51, "", WS_CHILD | WS_VISIBLE | WS_BORDER, 2, 20, 40, 12);
  ColourDialog dialog;
  ASSERT_NE(dialog.hBrushCtlBk, nullptr);
  ASSERT_TRUE(dialog.Make(dlgTemplate.get()));
  EXPECT_EQ(CWnd::FromHandlePermanent(dialog.hWnd), &dialog);
  HWND label = GetDlgItem(dialog.hWnd, 50);
  HWND edit = GetDlgItem(dialog.hWnd, 51);
  HDC dc = GetDC(dialog.hWnd);
  auto colour = [&](UINT msg, HWND control) {
    return reinterpret_cast<HBRUSH>(
        SendMessageA(dialog.hWnd, msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  };
  SetBkColor(dc, RGB(9, 9, 9));
  EXPECT_EQ(colour(WM_CTLCOLORSTATIC, label), dialog.hBrushCtlBk);
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_BTNFACE));
  EXPECT_NE(colour(WM_CTLCOLOREDIT, edit), dialog.hBrushCtlBk);

  EXPECT_TRUE(dialog.SetCtlBkColor(0xFFFFFFFF));
  EXPECT_EQ(dialog.hBrushCtlBk, nullptr);
  // No brush of its own: the answer, and the DC's colours, are the system's defaults.
  SetBkColor(dc, RGB(9, 9, 9));
  const HBRUSH systemBrush = reinterpret_cast<HBRUSH>(
      DefWindowProcA(dialog.hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(label)));
  const COLORREF systemBackground = GetBkColor(dc);
  SetBkColor(dc, RGB(9, 9, 9));
  EXPECT_EQ(colour(WM_CTLCOLORSTATIC, label), systemBrush);
  EXPECT_EQ(GetBkColor(dc), systemBackground);
  ReleaseDC(dialog.hWnd, dc);
  EXPECT_TRUE(dialog.DestroyWindow());
  EXPECT_EQ(dialog.hWnd, nullptr);
  CWnd::DeleteTempMap();
  CDC::DeleteTempMap();
}

}  // namespace
