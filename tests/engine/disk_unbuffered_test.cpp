// The run option that bypasses the file cache: the disk test's scratch file is opened
// unbuffered (direct I/O on this platform) and its blocks move through an aligned buffer;
// without the option the test is exactly the cached one the window has always run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "disk_test_support.h"
#include "engine/disknt.h"
#include "engine/run_options.h"

namespace {

namespace fs = std::filesystem;

// The status flags of this process's descriptors on the scratch file in `folder`.
std::vector<int> ScratchDescriptorFlags(const fs::path& folder) {
  std::vector<int> flags;
  fs::path real = fs::canonical(folder);
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    std::error_code error;
    fs::path target = fs::read_symlink(entry.path(), error);
    if (target.parent_path() != real || target.filename().string().rfind("qzt", 0) != 0) continue;
    std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
    std::string key, value;
    while (info >> key >> value)
      if (key == "flags:") flags.push_back(static_cast<int>(std::stol(value, nullptr, 8)));
  }
  return flags;
}

class UnbufferedDiskBench : public DiskBench {
 protected:
  void TearDown() override {
    SetEngineRunOptions({});
    DiskBench::TearDown();
  }
  // The descriptors' flags once the create phase has run; the test is then finished.
  std::vector<int> FlagsAfterCreate(bool bypass) {
    SetEngineRunOptions({bypass});
    PrepareDiskTest(8, "T:");
    diskio0();
    std::vector<int> flags = ScratchDescriptorFlags(folder_);
    diskio1();
    diskio2();
    diskio5();
    return flags;
  }
};

TEST_F(UnbufferedDiskBench, TheWindowsRunsKeepTheCachedOpenAndTheirBuffer) {
  EXPECT_FALSE(CurrentEngineRunOptions().bypassFileCache);  // nothing sets it by default
  std::vector<int> flags = FlagsAfterCreate(false);
  ASSERT_FALSE(flags.empty());
  for (int f : flags) EXPECT_EQ(f & O_DIRECT, 0);
  const void* cachedBuffer = DiskTransferBuffer();
  FlagsAfterCreate(true);
  EXPECT_NE(DiskTransferBuffer(), cachedBuffer);
  FlagsAfterCreate(false);
  EXPECT_EQ(DiskTransferBuffer(), cachedBuffer);
  EXPECT_STREQ(DiskTestFailure(), "");
}

TEST_F(UnbufferedDiskBench, TheReopenedScratchFileIsTheUnbufferedOne) {
  std::vector<int> flags = FlagsAfterCreate(true);
  if (DiskTestFailure() == std::string("Create file: The request is not supported."))
    GTEST_SKIP() << folder_ << " is on a file system without direct I/O";
  // GetTempFileNameA's own descriptor only made the file; the handle the phases use is
  // the reopened one, and it is direct.
  ASSERT_FALSE(flags.empty());
  EXPECT_EQ(flags.back() & O_DIRECT, O_DIRECT) << std::oct << flags.back();
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(DiskTransferBuffer()) % kDiskUnbufferedAlignment, 0u);
  EXPECT_STREQ(DiskTestFailure(), "");
}

TEST_F(UnbufferedDiskBench, AWholeUnbufferedRunMovesEveryBlock) {
  SetEngineRunOptions({true});
  CString rate = DoDiskBench(nullptr, 16, 2, "T:");
  if (DiskTestFailure() == std::string("Create file: The request is not supported."))
    GTEST_SKIP() << folder_ << " is on a file system without direct I/O";
  // A misaligned buffer or transfer would stop the first phase with "The parameter is
  // incorrect."; every block moving shows both are right for the drive.
  EXPECT_STREQ(DiskTestFailure(), "");
  EXPECT_GE(DiskBytesMoved(), 2u * 4 * 16 * kDiskBlockSize - 2 * kDiskBlockSize);
  EXPECT_TRUE(IsWholeNumber(static_cast<const char*>(rate)));
  EXPECT_EQ(FilesLeft(), 0);
}

}  // namespace
