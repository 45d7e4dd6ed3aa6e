// The disk test's phases, each timed on its own, and whole tests. Every phase runs on a
// scratch file that holds the blocks it works on (the read phases would otherwise read
// nothing at the end of an empty file), and its bytes per second count the bytes the
// phase moved: a case whose phase moved less than it must stops with an error instead
// of a rate. The bytes are those the engine counted; each iteration of a random phase
// starts from the same random state, so it draws the same blocks and the bytes it must
// move are known in advance.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/support/disk_expectation.h"
#include "bench/support/scratch_folder.h"
#include "engine/disknt.h"
#include "win32/crt.h"

namespace {

constexpr std::int32_t kBlocks = 1024;  // a 4 MB file
constexpr unsigned kSeed = 1;
const bench::ScratchFolder* folder = nullptr;

enum class Phase { kSequentialWrite, kSequentialRead, kRandomWrite, kRandomRead };

// The file the case's phase works on: created, every block written, and for the random
// read the random write done first, as in the disk test. Returns the file's size.
long long PrepareFile(Phase phase) {
  PrepareDiskTest(kBlocks, bench::ScratchFolder::kDrive);
  diskio0();
  diskio1();
  if (phase == Phase::kRandomRead) {
    msvcrt::srand(kSeed);
    diskio3();
  }
  return folder->only_file_size();
}

bool Fail(benchmark::State& state, const char* what, long long moved, long long expected) {
  char text[160];
  std::snprintf(text, sizeof text, "%s moved %lld of %lld bytes", what, moved, expected);
  state.SkipWithError(text);
  return false;
}

void BM_DiskPhase(benchmark::State& state, Phase phase) {
  bench::DiskExpectation expect = bench::ExpectDiskTest(kBlocks, kSeed);
  long long file_bytes = PrepareFile(phase);
  long long prepared = phase == Phase::kRandomRead ? expect.file_bytes_after_random_write : expect.sequential_bytes;
  if (file_bytes != prepared) {
    Fail(state, "preparing the file", file_bytes, prepared);
    diskio5();
    return;
  }
  void (*kernel)() = nullptr;
  unsigned seed = kSeed;
  std::int64_t must_move = 0;
  switch (phase) {
    case Phase::kSequentialWrite:
      kernel = diskio1, must_move = expect.sequential_bytes;
      break;
    case Phase::kSequentialRead:
      kernel = diskio2, must_move = expect.sequential_bytes;
      break;
    case Phase::kRandomWrite:
      kernel = diskio3, must_move = expect.random_write_bytes;
      break;
    case Phase::kRandomRead:
      kernel = diskio4, must_move = expect.random_read_bytes;
      seed = bench::StateAfterDraws(kSeed, kBlocks);
      break;
  }
  // Each iteration's bytes as the engine counted them; the rate is their sum.
  std::int64_t moved = 0;
  std::int64_t short_by = 0;
  for (auto _ : state) {
    state.PauseTiming();
    msvcrt::srand(seed);
    std::uint64_t before = DiskBytesMoved();
    state.ResumeTiming();
    kernel();
    state.PauseTiming();
    auto bytes = static_cast<std::int64_t>(DiskBytesMoved() - before);
    moved += bytes;
    if (bytes < must_move) short_by = must_move - bytes;
    state.ResumeTiming();
  }
  diskio5();
  if (short_by != 0) {
    Fail(state, "an iteration", must_move - short_by, must_move);
    return;
  }
  state.SetBytesProcessed(moved);
}
BENCHMARK_CAPTURE(BM_DiskPhase, SequentialWrite, Phase::kSequentialWrite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiskPhase, SequentialRead, Phase::kSequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiskPhase, RandomWrite, Phase::kRandomWrite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiskPhase, RandomRead, Phase::kRandomRead)->Unit(benchmark::kMillisecond);

void BM_DiskCreateAndDelete(benchmark::State& state) {
  PrepareDiskTest(kBlocks, bench::ScratchFolder::kDrive);
  for (auto _ : state) {
    diskio0();
    diskio5();
  }
  if (folder->file_count() != 0) state.SkipWithError("the delete phase left a scratch file");
}
BENCHMARK(BM_DiskCreateAndDelete)->Unit(benchmark::kMicrosecond);

// The whole test as the run command runs it; the label is the rate the test itself
// reported, in Kbyte/s.
void BM_DoDiskBench(benchmark::State& state) {
  std::string rate;
  for (auto _ : state) rate = static_cast<const char*>(DoDiskBench(nullptr, kBlocks, 1, bench::ScratchFolder::kDrive));
  state.SetLabel(rate + " Kbyte/s reported");
  if (folder->file_count() != 0) state.SkipWithError("the test left a scratch file");
}
BENCHMARK(BM_DoDiskBench)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  bench::ScratchFolder scratch;
  folder = &scratch;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
