// The disk test on drives that are full, fill up, are read-only or have no free name: a
// small tmpfs of its own mapped as drive S:. Each case must say what went wrong, count only
// the bytes that moved, and leave nothing behind.
#include <gtest/gtest.h>
#include <win32_test_kernel.h>

#include <cstdlib>
#include <string>

#include "disk_test_support.h"
#include "engine/disk_drive.h"
#include "engine/disknt.h"
#include "small_drive.h"
#include "status_window.h"

namespace {

constexpr const char* kFiller = "filler";

class SmallDriveDisk : public testing::Test {
 protected:
  // Maps drive S: to a new tmpfs of `megabytes`, or skips the test when none can be mounted.
  bool Map(int megabytes, bool readOnly = false) {
    drive_ = std::make_unique<SmallDrive>("size=" + std::to_string(megabytes) + "m,nr_inodes=70000", readOnly);
    if (!drive_->mounted()) return false;
    std::string drives = "s=" + drive_->folder().string();
    ::setenv("TORVEX_DRIVES", drives.c_str(), 1);
    win32_test::reload_drive_table();
    return true;
  }
  void TearDown() override {
    drive_.reset();
    ::unsetenv("TORVEX_DRIVES");
    win32_test::reload_drive_table();
  }
  std::string RunQuietly(StatusWindow& window, int blocks, int repeat) {
    testing::internal::CaptureStdout();
    CString rate = DoDiskBench(window.dialog(), blocks, repeat, "S:");
    testing::internal::GetCapturedStdout();
    return static_cast<const char*>(rate);
  }

  std::unique_ptr<SmallDrive> drive_;
};

#define MAP_OR_SKIP(...) \
  if (!Map(__VA_ARGS__)) GTEST_SKIP() << drive_->whyNot()

TEST_F(SmallDriveDisk, AFileThatDoesNotFitIsRefusedBeforeAnythingIsWritten) {
  MAP_OR_SKIP(4);
  std::int64_t fits = DiskBlocksThatFit("S:");
  ASSERT_GT(fits, 0);
  EXPECT_LT(fits, 1024);  // 4 MB less the margin
  for (std::int64_t blocks : {fits + 1, std::int64_t{0x7FFFFFFF}}) {
    StatusWindow window;
    EXPECT_EQ(RunQuietly(window, static_cast<int>(blocks), 1), "0");
    EXPECT_STREQ(DiskTestFailure(), "Create file: There is not enough space on the disk.");
    EXPECT_TRUE(EndsWith(window.StatusText(), " - Create file: There is not enough space on the disk."));
    EXPECT_EQ(drive_->FilesOtherThan(""), 0);
  }
  // The largest count that fits runs through.
  StatusWindow window;
  EXPECT_NE(RunQuietly(window, static_cast<int>(fits), 1), "0");
  EXPECT_STREQ(DiskTestFailure(), "");
  EXPECT_EQ(drive_->FilesOtherThan(""), 0);
}

TEST_F(SmallDriveDisk, AFullDriveIsReported) {
  MAP_OR_SKIP(4);
  drive_->FillUp(kFiller);
  EXPECT_EQ(DiskBlocksThatFit("S:"), 0);
  StatusWindow window;
  EXPECT_EQ(RunQuietly(window, 16, 1), "0");
  EXPECT_STREQ(DiskTestFailure(), "Create file: There is not enough space on the disk.");
  EXPECT_EQ(drive_->FilesOtherThan(kFiller), 0);
}

TEST_F(SmallDriveDisk, ADriveThatFillsDuringTheTestIsReportedWithTheBytesThatMoved) {
  MAP_OR_SKIP(4);
  constexpr int kBlocks = 256;
  PrepareDiskTest(kBlocks, "S:");
  diskio0();
  drive_->FillUp(kFiller);  // someone else takes the space between the check and the writes
  diskio1();
  diskio2();
  diskio5();
  EXPECT_STREQ(DiskTestFailure(), "Sequential Write Test: There is not enough space on the disk.");
  // Whatever the writes got in, the reads got back, and nothing more is counted.
  EXPECT_LT(DiskBytesMoved(), 2u * kBlocks * kDiskBlockSize);
  EXPECT_EQ(DiskBytesMoved() % 2, 0u);
  EXPECT_EQ(drive_->FilesOtherThan(kFiller), 0);
}

TEST_F(SmallDriveDisk, AReadOnlyDriveIsReported) {
  MAP_OR_SKIP(4, true);
  StatusWindow window;
  EXPECT_EQ(RunQuietly(window, 16, 1), "0");
  EXPECT_STREQ(DiskTestFailure(), "Create file: The media is write protected.");
  EXPECT_TRUE(EndsWith(window.StatusText(), " - Create file: The media is write protected."));
  EXPECT_EQ(drive_->FilesOtherThan(""), 0);
}

TEST_F(SmallDriveDisk, ADriveWithEveryNameTakenIsReported) {
  MAP_OR_SKIP(8);
  OccupyEveryScratchName(drive_->folder());
  StatusWindow window;
  EXPECT_EQ(RunQuietly(window, 4, 1), "0");
  EXPECT_STREQ(DiskTestFailure(), "Create file: The file exists.");
  EXPECT_EQ(drive_->FilesOtherThan(""), kScratchNames);
}

TEST(UnlimitedDrive, ADriveThatReportsNoSizeAtAllIsNotHeldToZeroBlocks) {
  // ramfs says 0 bytes free of 0: it has no limit, not no room.
  SmallDrive ram("", false, "ramfs");
  if (!ram.mounted()) GTEST_SKIP() << ram.whyNot();
  std::string drives = "r=" + ram.folder().string();
  ::setenv("TORVEX_DRIVES", drives.c_str(), 1);
  win32_test::reload_drive_table();
  EXPECT_EQ(DiskBlocksThatFit("R:"), -1);
  EXPECT_EQ(CheckDiskSpace("R:", 64), static_cast<DWORD>(NO_ERROR));
  DoDiskBench(nullptr, 64, 1, "R:");
  EXPECT_STREQ(DiskTestFailure(), "");
  EXPECT_GE(DiskBytesMoved(), 4u * 64 * kDiskBlockSize - kDiskBlockSize);
  EXPECT_EQ(ram.FilesOtherThan(""), 0);
  ::unsetenv("TORVEX_DRIVES");
  win32_test::reload_drive_table();
}

}  // namespace
