// Menu wrapper: one object per menu handle. An attached CMenu owns its menu and destroys
// it with itself unless it is detached first; code meeting a bare menu handle asks
// FromHandle and may get a temporary object that lives until the next idle time.
#pragma once

#include "framework/object.h"

class CMenu : public CObject {
  DECLARE_RUNTIME_CLASS(CMenu)
 public:
  CMenu() = default;
  // Destroys the held menu.
  ~CMenu() override;

  // Owner-drawn items; nothing to draw or measure in the base class.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);

  BOOL Attach(HMENU hMenuNew);
  HMENU Detach();
  BOOL DestroyMenu();

  static CMenu* FromHandle(HMENU h);
  static void DeleteTempMap();

  int GetMenuItemCount() const { return ::GetMenuItemCount(hMenu); }
  UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(hMenu, nPos); }
  UINT GetMenuState(UINT nID, UINT nFlags) const { return ::GetMenuState(hMenu, nID, nFlags); }
  // May be a temporary object.
  CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(hMenu, nPos)); }

  HMENU hMenu = nullptr;
};
