#include "common/handle_table.h"

#include <gtest/gtest.h>

namespace {

using win32::HandleFamily;
using win32::HandleTable;

TEST(HandleTable, StaleAndForeignHandlesFindNothing) {
  HandleTable<int> table(HandleFamily::Kernel);
  HandleTable<int> windows(HandleFamily::Window);
  std::uintptr_t h = table.insert(std::make_shared<int>(7));
  ASSERT_NE(h, 0u);
  EXPECT_EQ(*table.find(h), 7);
  EXPECT_EQ(windows.find(h), nullptr);
  EXPECT_EQ(table.find(0), nullptr);
  EXPECT_EQ(table.find(h + 1), nullptr);

  EXPECT_NE(table.erase(h), nullptr);
  EXPECT_EQ(table.find(h), nullptr);
  EXPECT_EQ(table.erase(h), nullptr);

  // The slot is reused under a new generation; the old value stays dead.
  std::uintptr_t again = table.insert(std::make_shared<int>(8));
  EXPECT_NE(again, h);
  EXPECT_EQ(table.find(h), nullptr);
  EXPECT_EQ(*table.find(again), 8);
}

TEST(HandleTable, RefusesWhenFull) {
  HandleTable<int> table(HandleFamily::Gdi);
  auto value = std::make_shared<int>(0);
  for (std::uint32_t i = 0; i < HandleTable<int>::kCapacity; ++i) ASSERT_NE(table.insert(value), 0u);
  EXPECT_EQ(table.insert(value), 0u);
}

}  // namespace
