#include "engine/disknt.h"

#include <gtest/gtest.h>
#include <win32_test_kernel.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "status_window.h"

namespace {

namespace fs = std::filesystem;

// The state that makes the runtime's next rand() return `draw`: the generator's step run
// backwards (214013 is odd, so it has an inverse modulo 2^32).
unsigned SeedForNextDraw(int draw) {
  std::uint32_t inverse = 1;
  for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
  std::uint32_t next = static_cast<std::uint32_t>(draw) << 16;
  return (next - 2531011u) * inverse;
}

std::uint32_t DrawsAfter(std::uint32_t state, int draws) {
  for (int i = 0; i < draws; ++i) state = state * 214013u + 2531011u;
  return state;
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// "Total Disk test time " then seconds, a point, two digits and " s".
bool IsDiskTotalText(const std::string& text) {
  const std::string head = "Total Disk test time ";
  std::size_t point = text.find('.');
  if (text.rfind(head, 0) != 0 || point == std::string::npos || point == head.size()) return false;
  return IsWholeNumber(text.substr(head.size(), point - head.size())) && text.size() == point + 5 &&
         IsWholeNumber(text.substr(point + 1, 2)) && text.substr(point + 3) == " s";
}

// Drive T: is a fresh temporary folder; drive U: a folder that does not exist, so no file
// can be made there (tests run as root, so a read-only folder would not stop them).
class DiskBench : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("torvex-disk-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::string drives = "t=" + folder_.string() + ";u=" + (folder_ / "missing").string();
    ::setenv("TORVEX_DRIVES", drives.c_str(), 1);
    win32_test::reload_drive_table();
  }
  void TearDown() override { fs::remove_all(folder_); }

  int FilesLeft() const {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder_)) ++count;
    return count;
  }
  std::uintmax_t ScratchFileSize() const {
    for (const auto& entry : fs::directory_iterator(folder_)) return entry.file_size();
    return 0;
  }

  fs::path folder_;
};

TEST_F(DiskBench, RunReportsARateAndLeavesNoFileBehind) {
  StatusWindow window;
  CString rate = DoDiskBench(window.dialog(), 16, 2, "T:");
  EXPECT_TRUE(IsWholeNumber(static_cast<const char*>(rate))) << static_cast<const char*>(rate);
  EXPECT_EQ(FilesLeft(), 0);
  EXPECT_TRUE(IsDiskTotalText(window.StatusText())) << window.StatusText();
  // Create, two passes of four transfer phases, delete, and the total line.
  EXPECT_EQ(window.SetTextCount(), 1 + 2 * 4 + 1 + 1);
}

TEST_F(DiskBench, NothingMovedGivesZero) {
  EXPECT_STREQ(DoDiskBench(nullptr, 0, 2, "T:"), "0");
  EXPECT_STREQ(DoDiskBench(nullptr, 16, 0, "T:"), "0");
  EXPECT_STREQ(DoDiskBench(nullptr, -4, 1, "T:"), "0");
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
  EXPECT_EQ(FilesLeft(), 0);
}

TEST(DiskBlocks, DrawsCoverEveryBlockAndOnePastTheEnd) {
  EXPECT_EQ(DiskRandomBlock(0, 4096), 0);
  EXPECT_EQ(DiskRandomBlock(32766, 4096), 4095);
  EXPECT_EQ(DiskRandomBlock(kDiskRandMax, 4096), 4096);
  EXPECT_EQ(DiskRandomBlock(kDiskRandMax, 1 << 20), 1 << 20);  // no 32-bit overflow
  EXPECT_EQ(DiskRandomBlock(kDiskRandMax, 0), 0);
}

TEST_F(DiskBench, FailedOpenStillRunsEveryPhase) {
  StatusWindow window;
  testing::internal::CaptureStdout();
  CString rate = DoDiskBench(window.dialog(), 4, 2, "U:");
  std::fflush(stdout);
  std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, "DISKIO4: could not read block 1\nDISKIO4: could not read block 1\n");
  EXPECT_EQ(window.SetTextCount(), 1 + 2 * 4 + 1 + 1);
  EXPECT_TRUE(IsWholeNumber(static_cast<const char*>(rate))) << static_cast<const char*>(rate);
  EXPECT_TRUE(IsDiskTotalText(window.StatusText())) << window.StatusText();
  EXPECT_FALSE(fs::exists(folder_ / "missing"));
  EXPECT_EQ(FilesLeft(), 0);
}

}  // namespace
