// Swapping a top-level window's menu. A control names its dialog; only a window with a
// caption can carry a menu.
#include <algorithm>
#include <vector>

#include "framework/winapp.h"
#include "framework/window.h"
#include "framework/winmenu.h"
#include "genui/bld_helpers.h"

namespace {

// The menu wrappers made here. Each stays its menu's permanent object until a later
// switch destroys that menu, or else to the end of the program; then it goes without
// touching the menu (the window that carries a menu destroys it).
class SwitchedMenus {
 public:
  ~SwitchedMenus() {
    for (CMenu* pMenu : menus_) {
      pMenu->Detach();
      delete pMenu;
    }
  }
  void Add(CMenu* pMenu) { menus_.push_back(pMenu); }
  // Takes back a wrapper made here; FALSE for anyone else's.
  bool Release(CMenu* pMenu) {
    auto it = std::find(menus_.begin(), menus_.end(), pMenu);
    if (it == menus_.end()) return false;
    menus_.erase(it);
    return true;
  }

 private:
  std::vector<CMenu*> menus_;
};

// First used after the menu map (CMenu::Attach comes first), so it is destroyed before it.
SwitchedMenus& Switched() {
  static SwitchedMenus menus;
  return menus;
}

}  // namespace

int BLDSwitchMenu(CWnd* pWnd, const char* lpszMenuName) {
  if (pWnd == nullptr || !IsWindow(pWnd->hWnd)) return 0;
  CWnd* pTarget = pWnd;
  if (GetWindowLongA(pWnd->hWnd, GWL_STYLE) & WS_CHILD) {
    HWND hParent = GetParent(pWnd->hWnd);
    if (hParent == nullptr) return 0;
    pTarget = CWnd::FromHandle(hParent);
    // Only one level is climbed: a control inside a child dialog has no menu to switch.
    if (GetWindowLongA(hParent, GWL_STYLE) & WS_CHILD) return 0;
  }
  const DWORD style = static_cast<DWORD>(GetWindowLongA(pTarget->hWnd, GWL_STYLE));
  if ((style & WS_CAPTION) != WS_CAPTION) return 0;

  CMenu* pOldMenu = CMenu::FromHandle(::GetMenu(pTarget->hWnd));
  CMenu* pNewMenu = new CMenu;
  if (!pNewMenu->Attach(LoadMenuA(AfxGetResourceHandle(), lpszMenuName))) {
    delete pNewMenu;
    BLDDisplayMessage(pTarget->hWnd, kIdsCannotLoadMenu, lpszMenuName, MB_ICONINFORMATION);
    return 0;
  }
  if (!SetMenu(pTarget->hWnd, pNewMenu->hMenu)) {
    // Nothing holds the menu that was not installed; its wrapper destroys it.
    delete pNewMenu;
    return 0;
  }
  if (pOldMenu != nullptr) {
    pOldMenu->DestroyMenu();
    // A wrapper of an earlier switch has lost its menu; nothing else refers to it.
    if (Switched().Release(pOldMenu)) delete pOldMenu;
  }
  DrawMenuBar(pTarget->hWnd);
  Switched().Add(pNewMenu);
  return 1;
}
