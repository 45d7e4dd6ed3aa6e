// Handle maps: permanent and temporary wrapper objects per handle family.
#include "framework/handle_map.h"

#include "framework/window.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"

CHandleMap::CHandleMap() = default;
CHandleMap::~CHandleMap() = default;

CObject* CHandleMap::FromHandle(HANDLE h) {
  if (h == nullptr) return nullptr;
  void* object;
  if (LookupPermanent(h, object) || LookupTemporary(h, object)) {
    return static_cast<CObject*>(object);
  }
  CObject* temporary = NewTempObject(h);
  // Entering it may raise the memory exception; the new object must not leak then.
  try {
    temporaryMap.SetAt(h, temporary);
  } catch (...) {
    DeleteTempObject(temporary);
    throw;
  }
  return temporary;
}

void CHandleMap::DeleteTemp() {
  POSITION position = temporaryMap.GetStartPosition();
  while (position != nullptr) {
    void* handle;
    void* object;
    temporaryMap.GetNextAssoc(position, handle, object);
    DeleteTempObject(static_cast<CObject*>(object));
  }
  temporaryMap.RemoveAll();
}

BOOL CHandleMap::LookupPermanent(HANDLE h, void*& pObject) {
  return permanentMap.Lookup(h, pObject);
}

BOOL CHandleMap::LookupTemporary(HANDLE h, void*& pObject) {
  return temporaryMap.Lookup(h, pObject);
}

void CHandleMap::SetPermanent(HANDLE h, CObject* pObject) { permanentMap.SetAt(h, pObject); }

void CHandleMap::RemovePermanent(HANDLE h) { permanentMap.RemoveKey(h); }

void CHandleMap::RemoveTemporary(HANDLE h) { temporaryMap.RemoveKey(h); }

namespace {

// The one shape all four families share: make a base wrapper holding the handle;
// dispose of it with the handle cleared first.
template <class Wrapper, class Handle, Handle Wrapper::*field>
CObject* MakeTemporary(HANDLE h) {
  Wrapper* wrapper = new Wrapper;
  wrapper->*field = static_cast<Handle>(h);
  return wrapper;
}

template <class Wrapper, class Handle, Handle Wrapper::*field>
void DisposeTemporary(CObject* object) {
  Wrapper* wrapper = static_cast<Wrapper*>(object);
  wrapper->*field = nullptr;
  delete wrapper;
}

}  // namespace

CObject* CWndHandleMap::NewTempObject(HANDLE h) {
  return MakeTemporary<CWnd, HWND, &CWnd::hWnd>(h);
}
void CWndHandleMap::DeleteTempObject(CObject* pObject) {
  DisposeTemporary<CWnd, HWND, &CWnd::hWnd>(pObject);
}

CObject* CMenuHandleMap::NewTempObject(HANDLE h) {
  return MakeTemporary<CMenu, HMENU, &CMenu::hMenu>(h);
}
void CMenuHandleMap::DeleteTempObject(CObject* pObject) {
  DisposeTemporary<CMenu, HMENU, &CMenu::hMenu>(pObject);
}

CObject* CDCHandleMap::NewTempObject(HANDLE h) {
  return MakeTemporary<CDC, HDC, &CDC::hDC>(h);
}
void CDCHandleMap::DeleteTempObject(CObject* pObject) {
  DisposeTemporary<CDC, HDC, &CDC::hDC>(pObject);
}

CObject* CGdiHandleMap::NewTempObject(HANDLE h) {
  return MakeTemporary<CGdiObject, HGDIOBJ, &CGdiObject::hObject>(h);
}
void CGdiHandleMap::DeleteTempObject(CObject* pObject) {
  DisposeTemporary<CGdiObject, HGDIOBJ, &CGdiObject::hObject>(pObject);
}
