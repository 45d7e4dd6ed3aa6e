// Associations from native handles to the wrapper objects that stand for them, one
// map per wrapper family. A permanent object is one the program bound to its handle;
// a temporary one the framework made because code asked for the object of a handle
// that had none. Temporary objects live until the next idle time (DeleteTemp).
#pragma once

#include "framework/map_pp.h"

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
  // Objects still registered are neither detached nor deleted.
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

// The four families. Each temporary object is a plain object of the family's base
// wrapper class.
class CWndHandleMap : public CHandleMap {
 protected:
  CObject* NewTempObject(HANDLE h) override;
  void DeleteTempObject(CObject* pObject) override;
};

class CMenuHandleMap : public CHandleMap {
 protected:
  CObject* NewTempObject(HANDLE h) override;
  void DeleteTempObject(CObject* pObject) override;
};

class CDCHandleMap : public CHandleMap {
 protected:
  CObject* NewTempObject(HANDLE h) override;
  void DeleteTempObject(CObject* pObject) override;
};

class CGdiHandleMap : public CHandleMap {
 protected:
  CObject* NewTempObject(HANDLE h) override;
  void DeleteTempObject(CObject* pObject) override;
};
