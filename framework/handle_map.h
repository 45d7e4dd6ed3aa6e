// Associations from native handles to the wrapper objects that stand for them, one
// map per wrapper family. A permanent object is one the program bound to its handle;
// a temporary one the framework made because code asked for the object of a handle
// that had none. Temporary objects live until the next idle time (DeleteTemp), or until
// the map itself goes at program end, whichever comes first.
#pragma once

#include "framework/map_pp.h"
#include "framework/window.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"

class CHandleMap {
 public:
  static constexpr int kBlockSize = 10;

  // The object for h, made temporary if needed; null for a null handle.
  CObject* FromHandle(HANDLE h);
  // Disposes of every temporary object, each exactly once, without touching the
  // native objects they stood for.
  void DeleteTemp();

  BOOL LookupPermanent(HANDLE h, void*& pObject);
  BOOL LookupTemporary(HANDLE h, void*& pObject);
  void SetPermanent(HANDLE h, CObject* pObject);
  void RemovePermanent(HANDLE h);
  // Forgets the temporary object without deleting it: the caller now owns it.
  void RemoveTemporary(HANDLE h);

 protected:
  CHandleMap();
  // Permanent objects still registered belong to the program: neither detached nor
  // deleted. Each family's map disposes of its temporary objects in its own destructor
  // (DeleteTempObject is the family's, so the base cannot).
  ~CHandleMap();
  CHandleMap(const CHandleMap&) = delete;
  CHandleMap& operator=(const CHandleMap&) = delete;

  // The family's factory: a new wrapper bound to h, and its disposal, which must
  // clear the handle first so that the wrapper's destructor frees nothing.
  virtual CObject* NewTempObject(HANDLE h) = 0;
  virtual void DeleteTempObject(CObject* pObject) = 0;

  CMapPtrToPtr permanentMap{kBlockSize};
  CMapPtrToPtr temporaryMap{kBlockSize};
};

// The four families share one shape: a temporary object is a plain object of the
// family's base wrapper class holding the handle, and its disposal clears the handle
// before deleting it.
template <class Wrapper, class Handle, Handle Wrapper::*handleField>
class CWrapperHandleMap : public CHandleMap {
 public:
  CWrapperHandleMap() = default;
  // A thread that never reached idle time (a program ended by WM_QUIT straight after
  // start-up) leaves temporary objects behind; they are the framework's, so they go
  // with the map, still without touching the native objects.
  ~CWrapperHandleMap() { DeleteTemp(); }

 protected:
  CObject* NewTempObject(HANDLE h) override {
    Wrapper* wrapper = new Wrapper;
    wrapper->*handleField = static_cast<Handle>(h);
    return wrapper;
  }
  void DeleteTempObject(CObject* pObject) override {
    Wrapper* wrapper = static_cast<Wrapper*>(pObject);
    wrapper->*handleField = nullptr;
    delete wrapper;
  }
};

class CWndHandleMap : public CWrapperHandleMap<CWnd, HWND, &CWnd::hWnd> {};
class CMenuHandleMap : public CWrapperHandleMap<CMenu, HMENU, &CMenu::hMenu> {};
class CDCHandleMap : public CWrapperHandleMap<CDC, HDC, &CDC::hDC> {};
class CGdiHandleMap : public CWrapperHandleMap<CGdiObject, HGDIOBJ, &CGdiObject::hObject> {};
