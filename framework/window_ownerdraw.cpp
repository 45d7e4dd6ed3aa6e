// Owner-draw and control-colour routing. Owner-drawn controls and menus send their
// drawing requests to the parent; CWnd forwards each to the object responsible for it
// (the menu object, or the control's own object when it is one of the framework's
// control classes). The seven control-colour messages become one WM_CTLCOLOR.
#include "framework/window.h"

#include "framework/wingdi.h"
#include "framework/winmenu.h"

IMPLEMENT_RUNTIME_CLASS(CButton, CWnd)
IMPLEMENT_RUNTIME_CLASS(CListBox, CWnd)
IMPLEMENT_RUNTIME_CLASS(CComboBox, CWnd)

CButton::~CButton() = default;
CListBox::~CListBox() = default;
CComboBox::~CComboBox() = default;

// The controls' own drawing does nothing until a derived class says otherwise.
void CButton::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CListBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}
void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}
void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}
int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT) { return 0; }
void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

namespace {

// Calls request(control) when pWnd is a list box or combo box object and the owner-draw
// type names that kind of control; false when nobody takes the request.
template <class Request>
bool ForListControl(CWnd* pWnd, UINT ctlType, Request request) {
  if (pWnd == nullptr) return false;
  if (ctlType == ODT_LISTBOX && pWnd->IsKindOf(RUNTIME_CLASS(CListBox))) {
    request(static_cast<CListBox*>(pWnd));
    return true;
  }
  if (ctlType == ODT_COMBOBOX && pWnd->IsKindOf(RUNTIME_CLASS(CComboBox))) {
    request(static_cast<CComboBox*>(pWnd));
    return true;
  }
  return false;
}

}  // namespace

void CWnd::OnDrawItem(LPDRAWITEMSTRUCT lpDIS) {
  if (lpDIS->CtlType == ODT_MENU) {
    // For menu items hwndItem carries the menu handle.
    CMenu* pMenu = CMenu::FromHandle(reinterpret_cast<HMENU>(lpDIS->hwndItem));
    if (pMenu != nullptr) {
      pMenu->DrawItem(lpDIS);
      return;
    }
  } else if (CWnd* pItem = FromHandlePermanent(lpDIS->hwndItem); pItem != nullptr) {
    if (lpDIS->CtlType == ODT_BUTTON && pItem->IsKindOf(RUNTIME_CLASS(CButton))) {
      static_cast<CButton*>(pItem)->DrawItem(lpDIS);
      return;
    }
    if (ForListControl(pItem, lpDIS->CtlType, [lpDIS](auto* control) { control->DrawItem(lpDIS); })) {
      return;
    }
  }
  Default();
}

void CWnd::OnMeasureItem(LPMEASUREITEMSTRUCT lpMIS) {
  if (lpMIS->CtlType == ODT_MENU) {
    CMenu* pMenu = GetMenu();
    CMenu* pHolder = pMenu != nullptr ? FindPopupMenuFromID(pMenu, lpMIS->itemID) : nullptr;
    if (pHolder != nullptr) {
      pHolder->MeasureItem(lpMIS);
      return;
    }
  } else {
    // The structure names no window, only the control's id.
    CWnd* pItem = FromHandlePermanent(GetDlgItem(hWnd, static_cast<int>(lpMIS->CtlID)));
    if (ForListControl(pItem, lpMIS->CtlType,
                       [lpMIS](auto* control) { control->MeasureItem(lpMIS); })) {
      return;
    }
  }
  Default();
}

int CWnd::OnCompareItem(LPCOMPAREITEMSTRUCT lpCIS) {
  CWnd* pItem = FromHandlePermanent(lpCIS->hwndItem);
  int result = 0;
  if (ForListControl(pItem, lpCIS->CtlType,
                     [lpCIS, &result](auto* control) { result = control->CompareItem(lpCIS); })) {
    return result;
  }
  return static_cast<int>(Default());
}

void CWnd::OnDeleteItem(LPDELETEITEMSTRUCT lpDIS) {
  CWnd* pItem = FromHandlePermanent(lpDIS->hwndItem);
  if (ForListControl(pItem, lpDIS->CtlType, [lpDIS](auto* control) { control->DeleteItem(lpDIS); })) {
    return;
  }
  Default();
}

LRESULT CWnd::OnNTCtlColor(WPARAM wParam, LPARAM lParam) {
  CCtlColorParams params;
  params.hWnd = reinterpret_cast<HWND>(lParam);
  params.hDC = reinterpret_cast<HDC>(wParam);
  params.nCtlType = GetCurrentMessage()->message - WM_CTLCOLORMSGBOX;
  return SendMessageA(WM_CTLCOLOR, 0, reinterpret_cast<LPARAM>(&params));
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }

CMenu* FindPopupMenuFromID(CMenu* pMenu, UINT nID) {
  if (pMenu == nullptr) return nullptr;
  const int count = pMenu->GetMenuItemCount();
  for (int i = 0; i < count; ++i) {
    if (pMenu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_POPUP) {
      CMenu* found = FindPopupMenuFromID(pMenu->GetSubMenu(i), nID);
      if (found != nullptr) return found;
    } else if (pMenu->GetMenuItemID(i) == nID) {
      return pMenu;
    }
  }
  return nullptr;
}
