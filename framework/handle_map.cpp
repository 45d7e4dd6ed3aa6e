// Handle maps: permanent and temporary wrapper objects per handle family.
#include "framework/handle_map.h"

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
