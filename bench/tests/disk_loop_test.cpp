// The plain C disk loop is the yardstick of the disk ratios, so it must do exactly the
// disk test's work: the runtime's block sequence, every byte the test must move, and the
// one-block growth when a random write draws the block past the end.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "bench/reference/disk_loop.h"
#include "bench/support/disk_expectation.h"
#include "bench/support/scratch_folder.h"
#include "win32/crt.h"

namespace {

TEST(DiskLoop, DrawsTheRuntimesRandomSequence) {
  static disk_loop loop;
  ASSERT_EQ(disk_loop_init(&loop, "/tmp", "unused", 16), 0);
  msvcrt::srand(1);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(disk_loop_rand(&loop), msvcrt::rand()) << "draw " << i;
}

// A seed whose random write phase draws the block past the end of an n-block file.
unsigned SeedThatGrowsTheFile(std::int32_t blocks) {
  for (unsigned seed = 1; seed < 2000000; ++seed)
    if (bench::ExpectDiskTest(blocks, seed).file_bytes_after_random_write > blocks * bench::kDiskBlockBytes)
      return seed;
  return 0;
}

long long FileSize(const char* path) {
  struct stat info;
  return ::stat(path, &info) == 0 ? static_cast<long long>(info.st_size) : -1;
}

TEST(DiskLoop, MovesWhatTheDiskTestMustMove) {
  bench::ScratchFolder folder;
  constexpr std::int32_t kBlocks = 8;
  unsigned growing = SeedThatGrowsTheFile(kBlocks);
  ASSERT_NE(growing, 0u);
  for (unsigned seed : {1u, 77u, growing}) {
    SCOPED_TRACE(seed);
    bench::DiskExpectation expect = bench::ExpectDiskTest(kBlocks, seed);
    static disk_loop loop;
    ASSERT_EQ(disk_loop_init(&loop, folder.path().c_str(), "loop.tmp", kBlocks), 0);
    loop.rand_state = seed;
    ASSERT_EQ(disk_loop_create(&loop), 0);
    // Create-exclusive: a second create of the same name fails.
    static disk_loop twin;
    disk_loop_init(&twin, folder.path().c_str(), "loop.tmp", kBlocks);
    EXPECT_NE(disk_loop_create(&twin), 0);

    EXPECT_EQ(disk_loop_sequential_write(&loop), expect.sequential_bytes);
    EXPECT_EQ(FileSize(loop.path), expect.sequential_bytes);
    EXPECT_EQ(disk_loop_sequential_read(&loop), expect.sequential_bytes);
    EXPECT_EQ(disk_loop_random_write(&loop), expect.random_write_bytes);
    EXPECT_EQ(FileSize(loop.path), expect.file_bytes_after_random_write);
    EXPECT_EQ(disk_loop_random_read(&loop), expect.random_read_bytes);
    EXPECT_EQ(disk_loop_delete(&loop), 0);
    EXPECT_EQ(folder.file_count(), 0u);
  }
  // The growing seed is the case that proves the past-the-end arithmetic.
  EXPECT_EQ(bench::ExpectDiskTest(kBlocks, growing).file_bytes_after_random_write, (kBlocks + 1) * bench::kDiskBlockBytes);
}

TEST(DiskLoop, ExpectationsOfAnEmptyTestAreZero) {
  for (std::int32_t blocks : {0, -5}) {
    bench::DiskExpectation expect = bench::ExpectDiskTest(blocks, 1);
    EXPECT_EQ(expect.sequential_bytes, 0);
    EXPECT_EQ(expect.random_write_bytes, 0);
    EXPECT_EQ(expect.file_bytes_after_random_write, 0);
    EXPECT_EQ(expect.random_read_bytes, 0);
  }
}

TEST(ScratchFolder, OnlyFileSizeNeedsExactlyOneFile) {
  bench::ScratchFolder folder;
  EXPECT_EQ(folder.only_file_size(), -1);
  std::FILE* one = std::fopen((folder.path() / "one").c_str(), "wb");
  ASSERT_NE(one, nullptr);
  std::fputs("12345", one);
  std::fclose(one);
  EXPECT_EQ(folder.only_file_size(), 5);
  std::fclose(std::fopen((folder.path() / "two").c_str(), "wb"));
  EXPECT_EQ(folder.only_file_size(), -1);
  EXPECT_EQ(folder.file_count(), 2u);
}

}  // namespace
