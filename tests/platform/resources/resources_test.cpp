#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "win32.h"
#include "win32_resources.h"

namespace {

// Extra resources for edge cases, beside the program's own (which every test program
// links): a string block with an empty entry and a long one, and a damaged block.
const unsigned char kTestStrings[] = {
    // block 0xF01 (ids 0xF000-0xF00F): 0xF000 "ok", 0xF001 empty, 0xF002 "abcdef", rest empty
    2, 0, 'o', 0, 'k', 0, 0, 0, 6, 0, 'a', 0, 'b', 0, 'c', 0, 'd', 0, 'e', 0, 'f', 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const unsigned char kDamagedStrings[] = {50, 0, 'x', 0};  // claims 50 units, holds 1
const win32::ResourceRecord kTestRecords[] = {
    {6, nullptr, 0xF01, kTestStrings, sizeof kTestStrings},
    {6, nullptr, 0xF02, kDamagedStrings, sizeof kDamagedStrings},
};
const bool kRegistered = win32::register_resources(kTestRecords, 2);

TEST(FindResource, NamesIdsAndTypesAsWin32Accepts) {
  ASSERT_TRUE(kRegistered);
  HRSRC bench = FindResourceA(nullptr, "BENCHDLG", RT_DIALOG);
  ASSERT_NE(bench, nullptr);
  // Names are compared without case; the executable's own handle names the same module.
  EXPECT_EQ(FindResourceA(GetModuleHandleA(nullptr), "benchDlg", RT_DIALOG), bench);
  EXPECT_EQ(FindResourceA(nullptr, "BENCHDLG", "#5"), bench);
  EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(251), RT_STRING), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, "#251", RT_STRING), FindResourceA(nullptr, MAKEINTRESOURCEA(251), RT_STRING));
  EXPECT_NE(FindResourceA(nullptr, "QUIRVEL", RT_GROUP_ICON), nullptr);
  EXPECT_NE(FindResourceA(nullptr, "mainmenubar", RT_MENU), nullptr);

  EXPECT_EQ(FindResourceA(nullptr, "NOSUCH", RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(FindResourceA(nullptr, "BENCHDLG", RT_ACCELERATOR), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceA(nullptr, "BENCHDLG", "DIALOG"), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, nullptr, RT_DIALOG), nullptr);
  EXPECT_EQ(FindResourceA(nullptr, "#12x", RT_DIALOG), nullptr);
  EXPECT_EQ(FindResourceA(GetModuleHandleA("kernel32"), "BENCHDLG", RT_DIALOG), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST(FindResource, LoadLockAndSizeGiveTheTemplateBytes) {
  HRSRC about = FindResourceA(nullptr, "ABOUT", RT_DIALOG);
  ASSERT_NE(about, nullptr);
  HGLOBAL loaded = LoadResource(nullptr, about);
  ASSERT_NE(loaded, nullptr);
  auto* bytes = static_cast<const unsigned char*>(LockResource(loaded));
  ASSERT_NE(bytes, nullptr);
  DWORD size = SizeofResource(nullptr, about);
  ASSERT_GT(size, 18u);
  DWORD style;
  std::memcpy(&style, bytes, sizeof style);
  EXPECT_EQ(style, 0x84C80080u);
  EXPECT_EQ(bytes[8], 5);  // five controls
  EXPECT_FALSE(FreeResource(loaded));
  EXPECT_EQ(LockResource(loaded), bytes);  // still there: resources live for the whole run
}

TEST(FindResource, BadHandlesFailWithoutCrashing) {
  HRSRC forged = reinterpret_cast<HRSRC>(0x6FFF7FFF);
  EXPECT_EQ(LoadResource(nullptr, forged), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
  EXPECT_EQ(SizeofResource(nullptr, forged), 0u);
  EXPECT_EQ(LockResource(nullptr), nullptr);
  int local = 0;
  EXPECT_EQ(LockResource(&local), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(LoadString, CopiesAndTruncatesAtTheBufferSize) {
  char buffer[64];
  EXPECT_EQ(LoadStringA(nullptr, 4001, buffer, sizeof buffer), 25);
  EXPECT_STREQ(buffer, "Cannot create dialog box ");
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 4004, buffer, sizeof buffer), 19);
  EXPECT_STREQ(buffer, "Cannot load bitmap ");

  // At most cchBufferMax - 1 characters, always terminated.
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(LoadStringA(nullptr, 4003, buffer, 7), 6);
  EXPECT_STREQ(buffer, "Cannot");
  EXPECT_EQ(buffer[7], '#');
  EXPECT_EQ(LoadStringA(nullptr, 4003, buffer, 1), 0);
  EXPECT_EQ(buffer[0], '\0');

  // The high word of the id is ignored: 0x10000 + 4000 is string 4000.
  EXPECT_EQ(LoadStringA(nullptr, 0x10000 + 4000, buffer, sizeof buffer), 11);
  EXPECT_STREQ(buffer, "Cannot run ");
}

TEST(LoadString, MissingEmptyAndDamagedStringsGiveZero) {
  char buffer[16] = "untouched";
  EXPECT_EQ(LoadStringA(nullptr, 4005, buffer, sizeof buffer), 0);  // same block, no string
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(LoadStringA(nullptr, 1, buffer, sizeof buffer), 0);  // no block
  EXPECT_EQ(LoadStringA(nullptr, 0xF000, buffer, sizeof buffer), 2);
  EXPECT_STREQ(buffer, "ok");
  EXPECT_EQ(LoadStringA(nullptr, 0xF001, buffer, sizeof buffer), 0);  // empty
  EXPECT_EQ(LoadStringA(nullptr, 0xF002, buffer, 4), 3);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(LoadStringA(nullptr, 0xF010, buffer, sizeof buffer), 0);  // damaged block
  EXPECT_EQ(LoadStringA(nullptr, 4001, nullptr, 10), 0);
  EXPECT_EQ(LoadStringA(nullptr, 4001, buffer, 0), 0);
  EXPECT_EQ(LoadStringA(GetModuleHandleA("user32"), 4001, buffer, sizeof buffer), 0);
}

}  // namespace
