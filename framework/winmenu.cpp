// Menu wrapper, its handle map and its run-time class.
#include "framework/winmenu.h"

#include "framework/handle_map.h"

IMPLEMENT_RUNTIME_CLASS(CMenu, CObject)

static CMenuHandleMap afxMenuMap;

CMenu* _AfxMenuFromHandle(HMENU h) { return CMenu::FromHandle(h); }

CMenu::~CMenu() { DestroyMenu(); }

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CMenu::Attach(HMENU hMenuNew) {
  if (hMenuNew == nullptr) return FALSE;
  hMenu = hMenuNew;
  afxMenuMap.SetPermanent(hMenu, this);
  return TRUE;
}

HMENU CMenu::Detach() {
  HMENU old = hMenu;
  if (old != nullptr) afxMenuMap.RemovePermanent(old);
  hMenu = nullptr;
  return old;
}

BOOL CMenu::DestroyMenu() {
  if (hMenu == nullptr) return FALSE;
  return ::DestroyMenu(Detach());
}

CMenu* CMenu::FromHandle(HMENU h) { return static_cast<CMenu*>(afxMenuMap.FromHandle(h)); }

void CMenu::DeleteTempMap() { afxMenuMap.DeleteTemp(); }
