// Swapping a top-level window's menu. A control names its dialog; only a window with a
// caption can carry a menu.
#include "framework/winapp.h"
#include "framework/window.h"
#include "framework/winmenu.h"
#include "genui/bld_helpers.h"

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
  if (pOldMenu != nullptr) pOldMenu->DestroyMenu();
  DrawMenuBar(pTarget->hWnd);
  // The new wrapper stays for the rest of the program as the menu's permanent object.
  return 1;
}
