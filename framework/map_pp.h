// Hash map from untyped pointer keys to untyped pointer values, tuned for handles and
// pointers: the hash is the key shifted right by four bits. Associations are carved
// from blocks of blockSize, kept on a free list when removed, and given back to the
// heap only by RemoveAll or destruction, so a map in steady use never allocates.
#pragma once

#include "framework/object.h"
#include "framework/plex.h"

// An iteration position: null when nothing is left.
struct _AfxPosition;
typedef _AfxPosition* POSITION;

class CMapPtrToPtr : public CObject {
  DECLARE_RUNTIME_CLASS(CMapPtrToPtr)
 protected:
  struct CAssoc {
    CAssoc* next;
    UINT hashValue;  // the bucket index at insertion
    void* key;
    void* value;
  };

 public:
  static constexpr UINT kDefaultHashTableSize = 17;
  static constexpr int kDefaultBlockSize = 10;

  explicit CMapPtrToPtr(int blockSize = kDefaultBlockSize);
  ~CMapPtrToPtr() override;
  CMapPtrToPtr(const CMapPtrToPtr&) = delete;
  CMapPtrToPtr& operator=(const CMapPtrToPtr&) = delete;

  int GetCount() const { return count; }
  BOOL IsEmpty() const { return count == 0; }

  // TRUE and the value when present; rValue is untouched otherwise.
  BOOL Lookup(void* key, void*& rValue) const;
  // Finds the key, or inserts it with a null value.
  void*& operator[](void* key);
  void SetAt(void* key, void* newValue) { (*this)[key] = newValue; }
  BOOL RemoveKey(void* key);
  // Gives back every block and the table; the map is then as new.
  void RemoveAll();

  // Buckets in ascending order, each from its most recent insertion to its oldest.
  POSITION GetStartPosition() const;
  void GetNextAssoc(POSITION& rNextPosition, void*& rKey, void*& rValue) const;

  UINT GetHashTableSize() const { return hashTableSize; }
  // Sets the number of buckets; only while the map holds nothing.
  void InitHashTable(UINT hashSize);
  UINT HashKey(void* key) const;

 protected:
  CAssoc* NewAssoc();
  void FreeAssoc(CAssoc* assoc);
  CAssoc* GetAssocAt(void* key, UINT& nHash) const;

  CAssoc** hashTable = nullptr;
  UINT hashTableSize = kDefaultHashTableSize;
  int count = 0;
  CAssoc* freeList = nullptr;
  CPlex* blocks = nullptr;
  int blockSize;
};
