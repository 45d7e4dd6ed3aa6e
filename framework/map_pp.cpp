// The pointer map: buckets of associations chained through next, newest first.
#include "framework/map_pp.h"

#include <cstdint>

IMPLEMENT_RUNTIME_CLASS(CMapPtrToPtr, CObject)

namespace {

// The position before the first association: all bits set, never a real address.
POSITION BeforeStartPosition() { return reinterpret_cast<POSITION>(~std::uintptr_t{0}); }

}  // namespace

// A block must hold at least one association, or refilling the free list would
// never make progress.
CMapPtrToPtr::CMapPtrToPtr(int blockSize) : blockSize(blockSize > 0 ? blockSize : 1) {}

CMapPtrToPtr::~CMapPtrToPtr() { RemoveAll(); }

UINT CMapPtrToPtr::HashKey(void* key) const {
  return static_cast<UINT>(reinterpret_cast<std::uintptr_t>(key) >> 4);
}

void CMapPtrToPtr::InitHashTable(UINT hashSize) {
  // Dropping the table of a map that holds associations would lose them, and a
  // table without buckets cannot hash.
  if (count != 0 || hashSize == 0) return;
  delete[] hashTable;
  hashTable = nullptr;
  hashTable = new CAssoc*[hashSize]();
  hashTableSize = hashSize;
}

void CMapPtrToPtr::RemoveAll() {
  delete[] hashTable;
  hashTable = nullptr;
  count = 0;
  freeList = nullptr;
  if (blocks != nullptr) blocks->FreeDataChain();
  blocks = nullptr;
}

CMapPtrToPtr::CAssoc* CMapPtrToPtr::NewAssoc() {
  if (freeList == nullptr) {
    CPlex* block = CPlex::Create(blocks, static_cast<UINT>(blockSize), sizeof(CAssoc));
    // Pushed last to first, so the list hands them out in ascending address order.
    CAssoc* assocs = static_cast<CAssoc*>(block->elements());
    for (int i = blockSize - 1; i >= 0; --i) {
      assocs[i].next = freeList;
      freeList = &assocs[i];
    }
  }
  CAssoc* assoc = freeList;
  freeList = freeList->next;
  ++count;
  assoc->key = nullptr;
  assoc->value = nullptr;
  return assoc;
}

void CMapPtrToPtr::FreeAssoc(CAssoc* assoc) {
  assoc->next = freeList;
  freeList = assoc;
  --count;
}

CMapPtrToPtr::CAssoc* CMapPtrToPtr::GetAssocAt(void* key, UINT& nHash) const {
  nHash = HashKey(key) % hashTableSize;
  if (hashTable == nullptr) return nullptr;
  for (CAssoc* assoc = hashTable[nHash]; assoc != nullptr; assoc = assoc->next) {
    if (assoc->key == key) return assoc;
  }
  return nullptr;
}

BOOL CMapPtrToPtr::Lookup(void* key, void*& rValue) const {
  UINT nHash;
  CAssoc* assoc = GetAssocAt(key, nHash);
  if (assoc == nullptr) return FALSE;
  rValue = assoc->value;
  return TRUE;
}

void*& CMapPtrToPtr::operator[](void* key) {
  UINT nHash;
  CAssoc* assoc = GetAssocAt(key, nHash);
  if (assoc == nullptr) {
    if (hashTable == nullptr) InitHashTable(hashTableSize);
    assoc = NewAssoc();
    assoc->hashValue = nHash;
    assoc->key = key;
    assoc->next = hashTable[nHash];
    hashTable[nHash] = assoc;
  }
  return assoc->value;
}

BOOL CMapPtrToPtr::RemoveKey(void* key) {
  if (hashTable == nullptr) return FALSE;
  CAssoc** link = &hashTable[HashKey(key) % hashTableSize];
  for (CAssoc* assoc = *link; assoc != nullptr; link = &assoc->next, assoc = *link) {
    if (assoc->key == key) {
      *link = assoc->next;
      FreeAssoc(assoc);
      return TRUE;
    }
  }
  return FALSE;
}

POSITION CMapPtrToPtr::GetStartPosition() const {
  return count == 0 ? nullptr : BeforeStartPosition();
}

void CMapPtrToPtr::GetNextAssoc(POSITION& rNextPosition, void*& rKey, void*& rValue) const {
  // Past the end, or a map emptied since the position was taken: nothing to return.
  if (rNextPosition == nullptr || hashTable == nullptr) {
    rNextPosition = nullptr;
    return;
  }
  CAssoc* current = reinterpret_cast<CAssoc*>(rNextPosition);
  if (rNextPosition == BeforeStartPosition()) {
    current = nullptr;
    for (UINT bucket = 0; bucket < hashTableSize && current == nullptr; ++bucket) {
      current = hashTable[bucket];
    }
    if (current == nullptr) {
      rNextPosition = nullptr;
      return;
    }
  }
  CAssoc* next = current->next;
  for (UINT bucket = current->hashValue + 1; next == nullptr && bucket < hashTableSize; ++bucket) {
    next = hashTable[bucket];
  }
  rNextPosition = reinterpret_cast<POSITION>(next);
  rKey = current->key;
  rValue = current->value;
}
