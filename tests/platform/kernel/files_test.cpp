#include <string>

#include "scratch_drive.h"

namespace {

using Files = ScratchDrive;

HANDLE open_file(const char* name, DWORD disposition, DWORD access = GENERIC_READ | GENERIC_WRITE, DWORD share = 0) {
  return CreateFileA(name, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

TEST_F(Files, DispositionsCreateOpenAndTruncateAsDocumented) {
  HANDLE h = open_file("c:\\new.dat", CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), NO_ERROR);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(h, "abc", 3, &written, nullptr));
  EXPECT_TRUE(CloseHandle(h));

  EXPECT_EQ(open_file("c:\\new.dat", CREATE_NEW), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_FILE_EXISTS);

  // OPEN_ALWAYS on an existing file keeps it, starts at 0 and says it already existed.
  h = open_file("C:/new.dat", OPEN_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), 0u);
  EXPECT_EQ(GetFileSize(h, nullptr), 3u);
  CloseHandle(h);

  h = open_file("c:\\new.dat", CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(GetFileSize(h, nullptr), 0u);
  CloseHandle(h);

  write_host_file("full.dat", "0123456789");
  h = open_file("c:\\full.dat", TRUNCATE_EXISTING);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_EQ(read_host_file("full.dat"), "");

  h = open_file("c:\\fresh.dat", OPEN_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), NO_ERROR);
  CloseHandle(h);
}

TEST_F(Files, OpenFailuresReportTheDocumentedErrors) {
  struct Case {
    const char* name;
    DWORD disposition;
    DWORD access;
    DWORD error;
  } cases[] = {
      {"c:\\missing.dat", OPEN_EXISTING, GENERIC_READ, ERROR_FILE_NOT_FOUND},
      {"c:\\missing.dat", TRUNCATE_EXISTING, GENERIC_WRITE, ERROR_FILE_NOT_FOUND},
      {"c:\\no\\such\\dir.dat", CREATE_ALWAYS, GENERIC_WRITE, ERROR_PATH_NOT_FOUND},
      {"z:\\unknown-drive.dat", CREATE_ALWAYS, GENERIC_WRITE, ERROR_PATH_NOT_FOUND},
      {"c:\\", OPEN_EXISTING, GENERIC_READ, ERROR_ACCESS_DENIED},  // a directory
      {"c:\\q", OPEN_EXISTING, GENERIC_WRITE, ERROR_ACCESS_DENIED},
      {"", OPEN_EXISTING, GENERIC_READ, ERROR_PATH_NOT_FOUND},
      {nullptr, OPEN_EXISTING, GENERIC_READ, ERROR_PATH_NOT_FOUND},
      {"\\\\server\\share\\x", OPEN_EXISTING, GENERIC_READ, ERROR_BAD_NETPATH},
      {"c:\\x.dat", 0, GENERIC_READ, ERROR_INVALID_PARAMETER},
      {"c:\\x.dat", 6, GENERIC_READ, ERROR_INVALID_PARAMETER},
      {"c:\\x.dat", TRUNCATE_EXISTING, GENERIC_READ, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    SetLastError(0);
    EXPECT_EQ(open_file(c.name, c.disposition, c.access), INVALID_HANDLE_VALUE) << (c.name ? c.name : "(null)");
    EXPECT_EQ(GetLastError(), c.error) << (c.name ? c.name : "(null)");
  }
}

TEST_F(Files, ReadsAndWritesAtAndPastTheEnd) {
  HANDLE h = open_file("c:\\data.bin", CREATE_ALWAYS);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD count = 99;
  char buffer[16] = {};

  // At the end of an empty file a read succeeds with 0 bytes.
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(count, 0u);

  ASSERT_TRUE(WriteFile(h, "hello", 5, &count, nullptr));
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(SetFilePointer(h, 2, nullptr, FILE_BEGIN), 2u);
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &count, nullptr));  // short read near the end
  EXPECT_EQ(std::string(buffer, count), "llo");
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(count, 0u);

  // Seeking past the end changes nothing until a write, which leaves a zero-filled gap.
  EXPECT_EQ(SetFilePointer(h, 3, nullptr, FILE_END), 8u);
  EXPECT_EQ(GetFileSize(h, nullptr), 5u);
  EXPECT_TRUE(ReadFile(h, buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(count, 0u);
  ASSERT_TRUE(WriteFile(h, "!", 1, &count, nullptr));
  EXPECT_EQ(GetFileSize(h, nullptr), 9u);
  EXPECT_EQ(read_host_file("data.bin"), std::string("hello\0\0\0!", 9));

  // Backwards from the current position, then a seek before the start that must fail
  // and leave the pointer where it was.
  EXPECT_EQ(SetFilePointer(h, -4, nullptr, FILE_CURRENT), 5u);
  EXPECT_EQ(SetFilePointer(h, -6, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_NEGATIVE_SEEK);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), 5u);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, 3), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  // With a high part, positions of 4 GB and more are reachable without any data.
  LONG high = 1;
  EXPECT_EQ(SetFilePointer(h, 16, &high, FILE_BEGIN), 16u);
  EXPECT_EQ(high, 1);
  EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_CURRENT), INVALID_SET_FILE_POINTER);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(CloseHandle(h));
}

TEST_F(Files, AccessModesAndSharingAreEnforced) {
  write_host_file("shared.dat", "keep me");
  HANDLE reader = open_file("c:\\shared.dat", OPEN_EXISTING, GENERIC_READ, FILE_SHARE_READ);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  DWORD count = 0;
  EXPECT_FALSE(WriteFile(reader, "x", 1, &count, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);

  // A second reader is fine; a writer or an overwrite clashes and must not truncate.
  HANDLE second = open_file("c:\\shared.dat", OPEN_EXISTING, GENERIC_READ, FILE_SHARE_READ);
  EXPECT_NE(second, INVALID_HANDLE_VALUE);
  EXPECT_EQ(open_file("c:\\shared.dat", OPEN_EXISTING, GENERIC_WRITE, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(open_file("c:\\shared.dat", CREATE_ALWAYS, GENERIC_WRITE, FILE_SHARE_READ), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  EXPECT_EQ(read_host_file("shared.dat"), "keep me");

  EXPECT_FALSE(DeleteFileA("c:\\shared.dat"));
  EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
  CloseHandle(second);
  CloseHandle(reader);
  EXPECT_TRUE(DeleteFileA("c:\\shared.dat"));
  EXPECT_FALSE(std::filesystem::exists(host("shared.dat")));

  HANDLE writer = open_file("c:\\w.dat", CREATE_ALWAYS, GENERIC_WRITE);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  char buffer[4];
  EXPECT_FALSE(ReadFile(writer, buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  CloseHandle(writer);
}

TEST_F(Files, DeleteFailuresReportTheDocumentedErrors) {
  EXPECT_FALSE(DeleteFileA("c:\\missing.dat"));
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(DeleteFileA("c:\\nodir\\missing.dat"));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(DeleteFileA("c:\\q"));
  EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
  EXPECT_FALSE(DeleteFileA(nullptr));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
  EXPECT_FALSE(DeleteFileA("y:\\x"));
  EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
}

TEST_F(Files, DriveLettersMapThroughTheTable) {
  HANDLE h = open_file("Q:\\Sub.TXT", CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(root_ / "q" / "Sub.TXT"));

  // ".." never climbs above a drive's root: q:\..\..\x is q:\x.
  h = open_file("q:\\..\\..\\up.txt", CREATE_NEW);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
  EXPECT_TRUE(std::filesystem::exists(root_ / "q" / "up.txt"));

  EXPECT_EQ(GetLogicalDrives(), (1u << ('c' - 'a')) | (1u << ('q' - 'a')));
  EXPECT_EQ(GetDriveTypeA("c:\\"), static_cast<UINT>(DRIVE_FIXED));
  EXPECT_EQ(GetDriveTypeA("Q:"), static_cast<UINT>(DRIVE_FIXED));
  EXPECT_EQ(GetDriveTypeA("m:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

}  // namespace
