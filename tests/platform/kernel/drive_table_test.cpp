#include "kernel/drive_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "win32_test_kernel.h"

namespace {

using win32::kernel::Drive;
using win32::kernel::drive_list;
using win32::kernel::to_host_path;

class DriveTable : public ::testing::Test {
 protected:
  void TearDown() override {
    ::unsetenv("TORVEX_DRIVES");
    win32_test::reload_drive_table();
  }
};

TEST_F(DriveTable, DefaultTableStartsWithTempHomeAndWorkingDirectory) {
  ::unsetenv("TORVEX_DRIVES");
  win32_test::reload_drive_table();
  std::vector<Drive> drives = drive_list();
  ASSERT_GE(drives.size(), 2u);
  EXPECT_EQ(drives.front().letter, 'a');
  auto c = std::find_if(drives.begin(), drives.end(), [](const Drive& d) { return d.letter == 'c'; });
  ASSERT_NE(c, drives.end());
  EXPECT_EQ(std::filesystem::path(c->directory), std::filesystem::current_path());
  // Letters are unique and in order.
  for (std::size_t i = 1; i < drives.size(); ++i) EXPECT_LT(drives[i - 1].letter, drives[i].letter);
}

TEST_F(DriveTable, VariableReplacesTheTableAndSkipsMalformedEntries) {
  ::setenv("TORVEX_DRIVES", "D=/srv/data/;junk;7=/x;c=/tmp/cee;;", 1);
  win32_test::reload_drive_table();
  std::vector<Drive> drives = drive_list();
  ASSERT_EQ(drives.size(), 2u);
  EXPECT_EQ(drives[0].letter, 'c');
  EXPECT_EQ(drives[0].directory, "/tmp/cee");
  EXPECT_EQ(drives[1].letter, 'd');
  EXPECT_EQ(drives[1].directory, "/srv/data");
  EXPECT_EQ(GetLogicalDrives(), 0b1100u);
}

TEST_F(DriveTable, TranslatesWin32PathsInsideTheDrive) {
  ::setenv("TORVEX_DRIVES", "c=/tmp/cee", 1);
  win32_test::reload_drive_table();
  struct Case {
    const char* win32;
    const char* host;
  } cases[] = {
      {"c:\\qzt1A2B.tmp", "/tmp/cee/qzt1A2B.tmp"},
      {"C:", "/tmp/cee"},
      {"c:\\", "/tmp/cee"},
      {"c:sub\\file", "/tmp/cee/sub/file"},
      {"c:\\a\\.\\b\\..\\..\\..\\x", "/tmp/cee/x"},
      {"c:\\dir\\", "/tmp/cee/dir/"},
      {"relative\\name.dat", "relative/name.dat"},
      {"c:/a\\b//c", "/tmp/cee/a/b/c"},
      {"c:\\a\\..\\", "/tmp/cee"},
      {"c:\\..\\a\\..\\..\\b\\", "/tmp/cee/b/"},
      {"c:\\ab\\..\\abc", "/tmp/cee/abc"},
  };
  for (const Case& c : cases) {
    auto host = to_host_path(c.win32);
    EXPECT_EQ(host.error, static_cast<DWORD>(NO_ERROR)) << c.win32;
    EXPECT_EQ(host.path, c.host) << c.win32;
  }
  EXPECT_EQ(to_host_path("d:\\x").error, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  // A drive at the host's root keeps its one slash.
  ::setenv("TORVEX_DRIVES", "r=/", 1);
  win32_test::reload_drive_table();
  EXPECT_EQ(to_host_path("r:\\..\\etc\\..\\..\\tmp").path, "/tmp");
  EXPECT_EQ(to_host_path("R:").path, "/");
  EXPECT_EQ(to_host_path("\\\\server\\share").error, static_cast<DWORD>(ERROR_BAD_NETPATH));
}

}  // namespace

namespace {

TEST_F(DriveTable, QueryDosDeviceNamesEachDriveAndItsDirectory) {
  ::setenv("TORVEX_DRIVES", "c=/tmp/cee;d=/srv/data", 1);
  win32_test::reload_drive_table();
  char buffer[64];
  // Each answer is a multi-string: the entry, its zero, and the zero that ends the list.
  ASSERT_EQ(QueryDosDeviceA("c:", buffer, sizeof buffer), 10u);
  EXPECT_EQ(std::string(buffer, 10), std::string("/tmp/cee\0\0", 10));
  ASSERT_EQ(QueryDosDeviceA(nullptr, buffer, sizeof buffer), 7u);
  EXPECT_EQ(std::string(buffer, 7), std::string("C:\0D:\0\0", 7));

  EXPECT_EQ(QueryDosDeviceA("e:", buffer, sizeof buffer), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_EQ(QueryDosDeviceA("c:\\", buffer, sizeof buffer), 0u);
  EXPECT_EQ(QueryDosDeviceA("C:", buffer, 9), 0u);  // one short of the final zero
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

}  // namespace
