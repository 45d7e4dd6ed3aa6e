#include "engine/disknt.h"

#include <gtest/gtest.h>
#include <win32_test_kernel.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "disk_test_support.h"
#include "engine/disk_drive.h"
#include "status_window.h"

namespace {

namespace fs = std::filesystem;

TEST_F(DiskBench, RunReportsARateAndLeavesNoFileBehind) {
  StatusWindow window;
  CString rate = DoDiskBench(window.dialog(), 16, 2, "T:");
  EXPECT_TRUE(IsWholeNumber(static_cast<const char*>(rate))) << static_cast<const char*>(rate);
  EXPECT_EQ(FilesLeft(), 0);
  EXPECT_TRUE(IsDiskTotalText(window.StatusText())) << window.StatusText();
  EXPECT_STREQ(DiskTestFailure(), "");
  // Every transfer moved its whole block: two passes of four phases over 16 blocks, give or
  // take the one block past the end that a random phase may draw.
  EXPECT_GE(DiskBytesMoved(), 2u * 4 * 16 * kDiskBlockSize - 2 * kDiskBlockSize);
  EXPECT_LE(DiskBytesMoved(), 2u * 4 * 16 * kDiskBlockSize);
  // Create, two passes of four transfer phases, delete, and the total line.
  EXPECT_EQ(window.SetTextCount(), 1 + 2 * 4 + 1 + 1);
}

TEST_F(DiskBench, NothingMovedGivesZero) {
  EXPECT_STREQ(DoDiskBench(nullptr, 0, 2, "T:"), "0");
  EXPECT_STREQ(DoDiskBench(nullptr, 16, 0, "T:"), "0");
  EXPECT_STREQ(DoDiskBench(nullptr, -4, 1, "T:"), "0");
  EXPECT_STREQ(DiskTestFailure(), "");
  EXPECT_EQ(FilesLeft(), 0);
}

TEST_F(DiskBench, OneBlockManyPassesStaysBelowMemoryBandwidth) {
  // Phases of a microsecond or less are summed in nanoseconds, so they never read as zero
  // time; the rate of moving a block through the file calls cannot beat copying it in memory.
  constexpr int kPasses = 3000;
  double rate = std::atof(DoDiskBench(nullptr, 1, kPasses, "T:"));
  EXPECT_GT(rate, 0.0);
  EXPECT_LT(rate, MemoryCopyKbytesPerSecond());
  EXPECT_EQ(FilesLeft(), 0);
}

TEST_F(DiskBench, RandomPhasesCarryOnTheRuntimeSequence) {
  constexpr int kBlocks = 8;
  msvcrt::srand(12345);
  DoDiskBench(nullptr, kBlocks, 2, "T:");
  // Two passes of a random write and a random read phase, one draw per block each.
  std::uint32_t expected = DrawsAfter(12345u, 4 * kBlocks + 1);
  EXPECT_EQ(msvcrt::rand(), static_cast<int>((expected >> 16) & 0x7FFF));
}

TEST_F(DiskBench, LargestDrawWritesOneBlockPastTheEnd) {
  constexpr int kBlocks = 8;
  PrepareDiskTest(kBlocks, "T:");
  diskio0();
  diskio1();
  ASSERT_EQ(ScratchFileSize(), kBlocks * kDiskBlockSize);
  msvcrt::srand(SeedForNextDraw(kDiskRandMax));
  diskio3();
  EXPECT_EQ(ScratchFileSize(), (kBlocks + 1) * kDiskBlockSize);
  diskio4();  // a read one block past the end reads nothing and counts as success
  diskio5();
  EXPECT_STREQ(DiskTestFailure(), "");
  EXPECT_EQ(FilesLeft(), 0);
}

TEST(DiskBlocks, DrawsCoverEveryBlockAndOnePastTheEnd) {
  EXPECT_EQ(DiskRandomBlock(0, 4096), 0);
  EXPECT_EQ(DiskRandomBlock(32766, 4096), 4095);
  EXPECT_EQ(DiskRandomBlock(kDiskRandMax, 4096), 4096);
  EXPECT_EQ(DiskRandomBlock(kDiskRandMax, 1 << 20), 1 << 20);  // no 32-bit overflow
  EXPECT_EQ(DiskRandomBlock(kDiskRandMax, 0x7FFFFFFF), 0x7FFFFFFF);
  EXPECT_EQ(DiskRandomBlock(kDiskRandMax, 0), 0);
  // Space is reckoned in 64 bits: the largest count needs 8 TB and one block.
  EXPECT_EQ(DiskSpaceNeeded(0x7FFFFFFF), 0x80000000ull * kDiskBlockSize);
  EXPECT_EQ(DiskSpaceUsable(100ull << 20), (100ull << 20) - (100ull << 20) / 64);
  EXPECT_EQ(DiskSpaceUsable(kDiskSpaceMinimumMargin / 2), 0u);
}

TEST_F(DiskBench, ADriveTextThatIsNoMappedDriveRootFailsTheCreatePhase) {
  struct Case {
    const char* drive;
    const char* failure;
  };
  const std::string overLong = "T:\\" + std::string(20, 'a');
  const Case cases[] = {
      {nullptr, "Create file: The system cannot find the drive specified."},
      {"", "Create file: The system cannot find the drive specified."},
      {"Z:", "Create file: The system cannot find the drive specified."},
      {overLong.c_str(), "Create file: The filename or extension is too long."},
      {"T:sub", "Create file: The filename, directory name, or volume label syntax is incorrect."},
      {"sub", "Create file: The filename, directory name, or volume label syntax is incorrect."},
      {"\\", "Create file: The filename, directory name, or volume label syntax is incorrect."},
      {"U:", "Create file: The system cannot find the path specified."},
  };
  const fs::path workingFolder = fs::current_path();
  const int workingFilesBefore = CountScratchNames(workingFolder);
  for (const Case& c : cases) {
    StatusWindow window;
    testing::internal::CaptureStdout();
    CString rate = DoDiskBench(window.dialog(), 4, 1, c.drive);
    testing::internal::GetCapturedStdout();
    const char* shown = c.drive != nullptr ? c.drive : "(null)";
    EXPECT_STREQ(rate, "0") << shown;
    EXPECT_STREQ(DiskTestFailure(), c.failure) << shown;
    EXPECT_EQ(window.SetTextCount(), 1 + 4 + 1 + 1) << shown;
    EXPECT_TRUE(EndsWith(window.StatusText(), std::string(" - ") + c.failure)) << window.StatusText();
    EXPECT_TRUE(IsDiskTotalText(window.StatusText().substr(0, window.StatusText().find(" - "))));
  }
  EXPECT_EQ(FilesLeft(), 0);
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  EXPECT_EQ(CountScratchNames(workingFolder), workingFilesBefore);
  EXPECT_EQ(CountScratchNames("/"), 0);
}

TEST_F(DiskBench, ADirectoryRemovedDuringTheRunIsReported) {
  PrepareDiskTest(8, "T:");
  diskio0();
  diskio1();
  fs::remove_all(folder_);
  diskio2();
  diskio5();
  EXPECT_STREQ(DiskTestFailure(), "Delete file: The system cannot find the path specified.");
  // The file was open, so the blocks did move: 8 written, 8 read.
  EXPECT_EQ(DiskBytesMoved(), 16u * kDiskBlockSize);
  EXPECT_FALSE(fs::exists(folder_));
  fs::create_directories(folder_);
}

TEST_F(DiskBench, ANameSwappedForALinkNeverWritesTheLinksTarget) {
  const fs::path target = folder_ / "target";
  { std::FILE* file = std::fopen(target.c_str(), "w"); std::fputs("keep", file); std::fclose(file); }
  {
    NameSwapper swapper(folder_, target);
    for (int run = 0; run < 20; ++run) {
      testing::internal::CaptureStdout();
      DoDiskBench(nullptr, 4, 1, "T:");
      testing::internal::GetCapturedStdout();
    }
  }
  EXPECT_EQ(ReadWhole(target), "keep");
  fs::remove(target);
  RemoveLinks();
  EXPECT_EQ(FilesLeft(), 0);
}

TEST_F(DiskBench, ScratchFileIsGoneAfterSigtermInAWritePhase) {
  EXPECT_TRUE(ChildKilledInWritePhaseLeavesNothing(folder_)) << "a scratch file survived SIGTERM";
  EXPECT_EQ(FilesLeft(), 0);
}

TEST_F(DiskBench, FailedOpenStillRunsEveryPhase) {
  StatusWindow window;
  testing::internal::CaptureStdout();
  CString rate = DoDiskBench(window.dialog(), 4, 2, "U:");
  std::fflush(stdout);
  std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "DISKIO4: could not read block 1\nDISKIO4: could not read block 1\n");
  EXPECT_EQ(window.SetTextCount(), 1 + 2 * 4 + 1 + 1);
  EXPECT_STREQ(rate, "0");
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  EXPECT_EQ(FilesLeft(), 0);
}

}  // namespace
