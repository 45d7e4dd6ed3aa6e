#include <win32.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(RegisteredMessages, OneNumberPerNameWhateverItsCase) {
  UINT first = RegisterWindowMessageA("TorvexTestPing");
  EXPECT_GE(first, 0xC000u);
  EXPECT_LE(first, 0xFFFFu);
  EXPECT_EQ(RegisterWindowMessageA("torvextestping"), first);
  UINT other = RegisterWindowMessageA("TorvexTestPong");
  EXPECT_NE(other, first);
  EXPECT_GE(other, 0xC000u);
}

TEST(RegisteredMessages, RefusesMissingNames) {
  SetLastError(0);
  EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

}  // namespace
