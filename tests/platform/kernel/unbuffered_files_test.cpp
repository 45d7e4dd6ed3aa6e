// FILE_FLAG_NO_BUFFERING is the host's direct I/O: the descriptor behind the handle carries
// O_DIRECT and nothing that would flush each write; a file system without direct I/O
// refuses the open and keeps nothing of it.
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "scratch_drive.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSector = 4096;

// The status flags of every descriptor of this process open on `path`, as the kernel
// reports them in /proc/self/fdinfo.
std::vector<int> DescriptorFlags(const fs::path& path) {
  std::vector<int> flags;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    if (fs::read_symlink(entry.path(), error) != path) continue;
    std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
    std::string key, value;
    while (info >> key >> value)
      if (key == "flags:") flags.push_back(static_cast<int>(std::stol(value, nullptr, 8)));
  }
  return flags;
}

HANDLE OpenUnbuffered(const char* name, DWORD disposition, DWORD extra = FILE_FLAG_NO_BUFFERING) {
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL | extra,
                     nullptr);
}

using UnbufferedFiles = ScratchDrive;

TEST_F(UnbufferedFiles, NoBufferingOpensForDirectIoWithoutSynchronousWrites) {
  HANDLE direct = OpenUnbuffered("c:\\direct.dat", CREATE_NEW);
  if (direct == INVALID_HANDLE_VALUE && GetLastError() == ERROR_NOT_SUPPORTED)
    GTEST_SKIP() << root_ << " is on a file system without direct I/O";
  ASSERT_NE(direct, INVALID_HANDLE_VALUE) << GetLastError();
  HANDLE cached = OpenUnbuffered("c:\\cached.dat", CREATE_NEW, 0);
  ASSERT_NE(cached, INVALID_HANDLE_VALUE);

  std::vector<int> directFlags = DescriptorFlags(fs::canonical(host("direct.dat")));
  std::vector<int> cachedFlags = DescriptorFlags(fs::canonical(host("cached.dat")));
  ASSERT_EQ(directFlags.size(), 1u);
  ASSERT_EQ(cachedFlags.size(), 1u);
  EXPECT_EQ(directFlags[0] & O_DIRECT, O_DIRECT);
  EXPECT_EQ(directFlags[0] & (O_SYNC | O_DSYNC), 0);
  EXPECT_EQ(cachedFlags[0] & (O_DIRECT | O_SYNC | O_DSYNC), 0);
  CloseHandle(cached);

  // Whole sectors from an aligned buffer go to the file and come back unchanged.
  alignas(kSector) static unsigned char block[2 * kSector];
  std::memset(block, 'a', kSector);
  std::memset(block + kSector, 'b', kSector);
  DWORD moved = 0;
  ASSERT_TRUE(WriteFile(direct, block, 2 * kSector, &moved, nullptr)) << GetLastError();
  EXPECT_EQ(moved, 2 * kSector);
  EXPECT_EQ(SetFilePointer(direct, static_cast<LONG>(kSector), nullptr, FILE_BEGIN), kSector);
  std::memset(block, 0, sizeof block);
  ASSERT_TRUE(ReadFile(direct, block, kSector, &moved, nullptr)) << GetLastError();
  EXPECT_EQ(moved, kSector);
  EXPECT_EQ(block[0], 'b');
  EXPECT_EQ(block[kSector - 1], 'b');
  CloseHandle(direct);
  EXPECT_EQ(read_host_file("direct.dat"), std::string(kSector, 'a') + std::string(kSector, 'b'));
}

// ramfs keeps files in the page cache alone and has no direct I/O; mounting it needs root.
class RamfsDrive : public ScratchDrive {
 protected:
  void SetUp() override {
    ScratchDrive::SetUp();
    if (::mount("ramfs", root_.c_str(), "ramfs", 0, nullptr) != 0)
      GTEST_SKIP() << "cannot mount a ramfs here (root is needed): " << std::strerror(errno);
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) ::umount2(root_.c_str(), MNT_DETACH);
    ScratchDrive::TearDown();
  }
  bool mounted_ = false;
};

TEST_F(RamfsDrive, AFileSystemWithoutDirectIoRefusesAndKeepsNothing) {
  write_host_file("there.dat", "kept");
  struct Case {
    const char* name;
    DWORD disposition;
  } cases[] = {{"c:\\new.dat", CREATE_NEW}, {"c:\\new.dat", CREATE_ALWAYS}, {"c:\\new.dat", OPEN_ALWAYS},
               {"c:\\there.dat", OPEN_EXISTING}, {"c:\\there.dat", TRUNCATE_EXISTING}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.disposition));
    SetLastError(NO_ERROR);
    EXPECT_EQ(OpenUnbuffered(c.name, c.disposition), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
    EXPECT_FALSE(fs::exists(host("new.dat")));
    EXPECT_EQ(read_host_file("there.dat"), "kept");
  }
  // The same drive opens cached files as ever.
  HANDLE cached = OpenUnbuffered("c:\\new.dat", CREATE_NEW, 0);
  EXPECT_NE(cached, INVALID_HANDLE_VALUE);
  CloseHandle(cached);
}

}  // namespace
