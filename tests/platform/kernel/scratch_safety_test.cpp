// Temporary files are opened only as the file that was made, the disk's free space is
// reported, and error codes read as the system's sentences.
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>

#include "scratch_drive.h"

namespace {

using ScratchSafety = ScratchDrive;

// The host name of a "c:\..." path.
std::string HostName(const char* win32_name) { return std::string(win32_name).substr(3); }

TEST_F(ScratchSafety, ATempNameSwappedForALinkOrAnotherFileIsNotOpened) {
  write_host_file("target", "keep");
  for (bool as_link : {true, false}) {
    char name[MAX_PATH] = {};
    ASSERT_NE(GetTempFileNameA("c:", "qzt", 0, name), 0u);
    std::filesystem::path made = host(HostName(name));
    std::filesystem::remove(made);
    if (as_link)
      std::filesystem::create_symlink(host("target"), made);
    else
      std::filesystem::copy_file(host("target"), made);
    HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE) << (as_link ? "link" : "file");
    EXPECT_EQ(GetLastError(), as_link ? ERROR_CANT_RESOLVE_FILENAME : ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(DeleteFileA(name));
  }
  EXPECT_EQ(read_host_file("target"), "keep");
}

TEST_F(ScratchSafety, ATempNameRemovedIsNotMadeAgainByTheOpen) {
  char name[MAX_PATH] = {};
  ASSERT_NE(GetTempFileNameA("c:", "qzt", 0, name), 0u);
  std::filesystem::remove(host(HostName(name)));
  HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  EXPECT_EQ(file, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(std::filesystem::exists(host(HostName(name))));
  EXPECT_FALSE(DeleteFileA(name));
}

TEST_F(ScratchSafety, TheMadeFileOpensAndOtherOpensCanRefuseLinks) {
  char name[MAX_PATH] = {};
  ASSERT_NE(GetTempFileNameA("c:", "qzt", 0, name), 0u);
  HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  CloseHandle(file);
  EXPECT_TRUE(DeleteFileA(name));

  write_host_file("plain", "x");
  std::filesystem::create_symlink(host("plain"), host("link"));
  EXPECT_EQ(CreateFileA("c:\\link", GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, NULL),
            INVALID_HANDLE_VALUE);
  file = CreateFileA("c:\\link", GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
}

TEST_F(ScratchSafety, TempFilesAreRemovedWhenASignalEndsTheProcess) {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      char name[MAX_PATH] = {};
      if (GetTempFileNameA("c:", "qzt", 0, name) == 0) ::_exit(2);
      ::raise(signal_number);
      ::_exit(3);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal_number) << status;
    EXPECT_TRUE(std::filesystem::is_empty(root_ / "q"));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root_))
      if (entry.path().filename() != "q") ++files;
    EXPECT_EQ(files, 0) << "signal " << signal_number;
  }
}

TEST(FreeSpace, ADriveReportsItsSpaceAndAnUnknownOneFails) {
  ULARGE_INTEGER available{}, total{}, free{};
  ASSERT_TRUE(GetDiskFreeSpaceExA(".", &available, &total, &free));
  EXPECT_GT(total.QuadPart, 0u);
  EXPECT_LE(available.QuadPart, free.QuadPart);
  EXPECT_LE(free.QuadPart, total.QuadPart);
  EXPECT_FALSE(GetDiskFreeSpaceExA("\\\\server\\share", &available, nullptr, nullptr));
}

TEST(SystemMessages, ErrorCodesReadAsTheSystemsSentences) {
  char text[256];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ERROR_DISK_FULL, 0,
                                text, sizeof text, nullptr);
  EXPECT_STREQ(text, "There is not enough space on the disk.\r\n");
  EXPECT_EQ(length, std::strlen(text));
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 0xDEAD, 0, text, sizeof text, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_DISK_FULL, 0, text, 8, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

}  // namespace
