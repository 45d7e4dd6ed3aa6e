#include "framework/map_pp.h"

#include "framework/core/alloc_counter.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Shows the map's blocks and table, which callers never see.
class Map : public CMapPtrToPtr {
 public:
  using CMapPtrToPtr::CMapPtrToPtr;
  int BlockCount() const {
    int n = 0;
    for (CPlex* block = blocks; block != nullptr; block = block->next) ++n;
    return n;
  }
  bool HasTable() const { return hashTable != nullptr; }
  const void* FreeListHead() const { return freeList; }
};

void* Key(std::uintptr_t value) { return reinterpret_cast<void*>(value); }

std::vector<std::pair<void*, void*>> Walk(const CMapPtrToPtr& map) {
  std::vector<std::pair<void*, void*>> entries;
  POSITION position = map.GetStartPosition();
  while (position != nullptr) {
    void* key;
    void* value;
    map.GetNextAssoc(position, key, value);
    entries.emplace_back(key, value);
  }
  return entries;
}

TEST(PointerMap, NewMapHoldsNoMemoryAndFindsNothing) {
  AllocationCounter counter;
  {
    Map map;
    void* value = Key(99);
    EXPECT_FALSE(map.Lookup(Key(0x10), value));
    EXPECT_EQ(value, Key(99));
    EXPECT_FALSE(map.RemoveKey(Key(0x10)));
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    EXPECT_FALSE(map.HasTable());
  }
  EXPECT_EQ(counter.allocations(), 0);
}

TEST(PointerMap, CollidingKeysShareABucketNewestFirst) {
  Map map;
  EXPECT_EQ(map.HashKey(Key(0x10)) % 17, map.HashKey(Key(0x120)) % 17);
  map.SetAt(Key(0x10), Key(1));
  map.SetAt(Key(0x120), Key(2));
  void* value = nullptr;
  EXPECT_TRUE(map.Lookup(Key(0x10), value));
  EXPECT_EQ(value, Key(1));
  EXPECT_TRUE(map.Lookup(Key(0x120), value));
  EXPECT_EQ(value, Key(2));
  EXPECT_EQ(Walk(map), (std::vector<std::pair<void*, void*>>{{Key(0x120), Key(2)},
                                                             {Key(0x10), Key(1)}}));
  // Removing the older one leaves the bucket's newer head in place.
  EXPECT_TRUE(map.RemoveKey(Key(0x10)));
  EXPECT_FALSE(map.Lookup(Key(0x10), value));
  EXPECT_TRUE(map.Lookup(Key(0x120), value));
}

TEST(PointerMap, IterationGoesThroughBucketsInAscendingOrder) {
  Map map;
  // Buckets 3, 1, 16, 1 again and 0 (0x110 >> 4 is 17).
  for (std::uintptr_t key : {0x30u, 0x10u, 0x100u, 0x120u, 0x110u}) map[Key(key)] = Key(key + 1);
  std::vector<void*> keys;
  for (auto& [key, value] : Walk(map)) {
    keys.push_back(key);
    EXPECT_EQ(value, Key(reinterpret_cast<std::uintptr_t>(key) + 1));
  }
  EXPECT_EQ(keys, (std::vector<void*>{Key(0x110), Key(0x120), Key(0x10), Key(0x30), Key(0x100)}));
}

TEST(PointerMap, IndexingInsertsAMissingKeyWithANullValue) {
  Map map;
  void*& slot = map[Key(0x40)];
  EXPECT_EQ(slot, nullptr);
  EXPECT_EQ(map.GetCount(), 1);
  slot = Key(7);
  EXPECT_EQ(map[Key(0x40)], Key(7));
  EXPECT_EQ(map.GetCount(), 1);
  map.SetAt(Key(0x40), Key(8));
  EXPECT_EQ(map[Key(0x40)], Key(8));
  EXPECT_EQ(map.GetCount(), 1);
}

TEST(PointerMap, AssociationsComeFromBlocksAndAreReused) {
  AllocationCounter counter;
  Map map(10);
  for (std::uintptr_t i = 1; i <= 10; ++i) map[Key(i << 4)] = Key(i);
  EXPECT_EQ(map.BlockCount(), 1);
  EXPECT_EQ(counter.allocations(), 2);  // the table and one block
  map[Key(11 << 4)] = Key(11);
  EXPECT_EQ(map.BlockCount(), 2);
  EXPECT_EQ(map.GetCount(), 11);

  // A removed association is the next one handed out: no new memory.
  int before = counter.allocations();
  EXPECT_TRUE(map.RemoveKey(Key(5 << 4)));
  const void* freed = map.FreeListHead();
  map[Key(0x999)] = Key(12);
  EXPECT_NE(map.FreeListHead(), freed);
  EXPECT_EQ(counter.allocations(), before);
  EXPECT_EQ(map.BlockCount(), 2);
  EXPECT_EQ(map.GetCount(), 11);
}

TEST(PointerMap, RemoveAllGivesEverythingBackAndLeavesTheMapAsNew) {
  AllocationCounter counter;
  {
    Map map(4);
    for (std::uintptr_t i = 1; i <= 9; ++i) map[Key(i << 4)] = Key(i);
    EXPECT_EQ(map.BlockCount(), 3);
    map.RemoveAll();
    EXPECT_EQ(counter.frees(), counter.allocations());
    EXPECT_FALSE(map.HasTable());
    EXPECT_EQ(map.BlockCount(), 0);
    EXPECT_EQ(map.GetCount(), 0);
    EXPECT_EQ(map.GetStartPosition(), nullptr);
    EXPECT_EQ(map.GetHashTableSize(), 17u);
    void* value = nullptr;
    EXPECT_FALSE(map.Lookup(Key(1 << 4), value));

    map[Key(0x10)] = Key(1);
    EXPECT_EQ(Walk(map), (std::vector<std::pair<void*, void*>>{{Key(0x10), Key(1)}}));
  }
  EXPECT_EQ(counter.frees(), counter.allocations());
}

TEST(PointerMap, BadArgumentsDoNotBreakTheMap) {
  Map map(0);  // a block holds at least one association
  map[Key(0x10)] = Key(1);
  map[Key(0x20)] = Key(2);
  EXPECT_EQ(map.BlockCount(), 2);

  // Changing the bucket count of a filled map would lose its entries; ignored.
  map.InitHashTable(5);
  EXPECT_EQ(map.GetHashTableSize(), 17u);
  void* value = nullptr;
  EXPECT_TRUE(map.Lookup(Key(0x20), value));

  // Walking past the end stays at the end.
  POSITION end = nullptr;
  void* key = Key(3);
  map.GetNextAssoc(end, key, value);
  EXPECT_EQ(end, nullptr);
  EXPECT_EQ(key, Key(3));
}

}  // namespace
