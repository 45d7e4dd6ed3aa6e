#include <cstring>
#include <set>
#include <string>

#include "kernel/drive_table.h"
#include "scratch_drive.h"

namespace {

using TempFileName = ScratchDrive;

TEST_F(TempFileName, UniqueZeroCreatesAFreshFileWithAHexName) {
  std::set<std::string> names;
  for (int i = 0; i < 5; ++i) {
    char name[MAX_PATH] = {};
    UINT number = GetTempFileNameA("c:", "qztest", 0, name);
    ASSERT_NE(number, 0u);
    EXPECT_LE(number, 0xFFFFu);
    // A bare drive gets a backslash: the file is in the drive's root.
    char expected[MAX_PATH];
    std::snprintf(expected, sizeof expected, "c:\\qzt%X.tmp", number);
    EXPECT_STREQ(name, expected);
    std::string digits = std::string(name).substr(6, std::strlen(name) - 6 - 4);
    EXPECT_TRUE(digits.size() >= 1 && digits.size() <= 4 &&
                digits.find_first_not_of("0123456789ABCDEF") == std::string::npos)
        << name;
    names.insert(name);
    // The file exists, empty, under the drive's directory.
    std::string host_name = std::string(name).substr(3);
    EXPECT_TRUE(std::filesystem::exists(host(host_name))) << name;
    EXPECT_EQ(std::filesystem::file_size(host(host_name)), 0u);
  }
  EXPECT_EQ(names.size(), 5u);
}

TEST_F(TempFileName, SkipsNumbersWhoseFileExists) {
  // Occupy every number the next call could start from in the coming seconds.
  DWORD now = GetTickCount() & 0xFFFF;
  for (DWORD n = now; n < now + 1000; ++n) {
    DWORD number = n & 0xFFFF;
    if (number == 0) continue;
    char occupied[32];
    std::snprintf(occupied, sizeof occupied, "ab%X.tmp", number);
    write_host_file(occupied, "taken");
  }
  char name[MAX_PATH];
  UINT number = GetTempFileNameA("c:\\", "ab", 0, name);
  ASSERT_NE(number, 0u);
  std::string file = std::string(name).substr(3);
  EXPECT_EQ(std::filesystem::file_size(host(file)), 0u) << "an existing file was reused: " << name;
}

TEST_F(TempFileName, TheFileIsCreatedWhereItsNameTranslatesTo) {
  std::filesystem::create_directories(host("sub/deeper"));
  struct Case {
    const char* directory;
    const char* prefix;
    const char* folder;  // relative to drive C:'s directory
  } cases[] = {
      {"c:", "qztest", ""},
      {"C:\\sub", "qz", "sub"},
      {"c:\\sub\\", "qz", "sub"},
      {"c:/sub/deeper/", "q", "sub/deeper"},
      {"c:\\sub\\..\\..\\", "qz", ""},
      {"c:\\", "s\\d", "s"},  // a separator in the prefix names a folder
      {"c:\\sub", "", "sub"},
  };
  std::filesystem::create_directory(host("s"));
  for (const Case& c : cases) {
    char name[MAX_PATH] = {};
    ASSERT_NE(GetTempFileNameA(c.directory, c.prefix, 0, name), 0u) << c.directory << " " << c.prefix;
    auto translated = win32::kernel::to_host_path(name);
    ASSERT_EQ(translated.error, static_cast<DWORD>(NO_ERROR)) << name;
    std::filesystem::path file = translated.path;
    EXPECT_TRUE(std::filesystem::is_regular_file(file)) << name;
    EXPECT_TRUE(std::filesystem::equivalent(file.parent_path(), root_ / c.folder)) << name;
    std::filesystem::remove(file);
  }
}

TEST_F(TempFileName, NonZeroUniqueOnlyBuildsTheName) {
  char name[MAX_PATH];
  EXPECT_EQ(GetTempFileNameA("c:\\dir\\", "xy", 0x1A2B, name), 0x1A2Bu);
  EXPECT_STREQ(name, "c:\\dir\\xy1A2B.tmp");
  EXPECT_FALSE(std::filesystem::exists(host("dir")));

  // Only the low 16 bits of the number appear; a null prefix is empty.
  EXPECT_EQ(GetTempFileNameA("q:", nullptr, 0x12345, name), 0x12345u);
  EXPECT_STREQ(name, "q:\\2345.tmp");
}

TEST_F(TempFileName, FailuresReturnZeroWithAReason) {
  char name[MAX_PATH] = "untouched";
  EXPECT_EQ(GetTempFileNameA(nullptr, "abc", 0, name), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetTempFileNameA("c:", "abc", 0, nullptr), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetTempFileNameA("k:", "abc", 0, name), 0u);
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(GetTempFileNameA("c:\\missing", "abc", 0, name), 0u);
  EXPECT_EQ(GetLastError(), ERROR_DIRECTORY);
  std::string long_path = "c:\\" + std::string(MAX_PATH - 16, 'd');
  EXPECT_EQ(GetTempFileNameA(long_path.c_str(), "abc", 0, name), 0u);
  EXPECT_EQ(GetLastError(), ERROR_BUFFER_OVERFLOW);
  EXPECT_STREQ(name, "untouched");
}

}  // namespace
