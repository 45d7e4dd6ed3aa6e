// What one WriteFile, ReadFile and SetFilePointer cost over the system call each makes.
// The same file is open twice, once through the platform and once as a bare descriptor;
// batches of calls through each alternate round after round, and each round's ratio of
// processor time (platform ÷ bare) is one sample. Goal: the median adds less than 5% to the system call.
// Exits with status 1 when a median misses that by more than its noise band.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/paired_ratio.h"
#include "bench/support/scratch_folder.h"
#include "bench/support/thread_clock.h"
#include "win32.h"

namespace {

constexpr DWORD kBlockSize = 4096;
constexpr int kBlocks = 256;  // a 1 MB file, kept in the page cache
constexpr int kBatch = 256;   // calls per timed batch
constexpr int kRounds = 15;
const bench::Goal kOverheadGoal{bench::Goal::kAtMost, 1.05};

struct OpenFile {
  HANDLE handle = INVALID_HANDLE_VALUE;
  int descriptor = -1;
  std::vector<LONG> positions;  // block-aligned random positions, one per call of a batch
  unsigned char buffer[kBlockSize] = {};
};

OpenFile& TheFile() {
  static OpenFile file;
  return file;
}

bool OpenTheFile(const bench::ScratchFolder& folder) {
  OpenFile& file = TheFile();
  file.handle = CreateFileA("T:\\calls.dat", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  file.descriptor = ::open((folder.path() / "calls.dat").c_str(), O_RDWR | O_CLOEXEC);
  if (file.handle == INVALID_HANDLE_VALUE || file.descriptor < 0) return false;
  DWORD written = 0;
  for (int i = 0; i < kBlocks; ++i)
    if (!WriteFile(file.handle, file.buffer, kBlockSize, &written, nullptr) || written != kBlockSize) return false;
  for (int i = 0; i < kBatch; ++i) file.positions.push_back(static_cast<LONG>((i * 97 % kBlocks) * kBlockSize));
  return true;
}

// Each batch starts at the file's beginning, positioned outside the timed part.
void Rewind() {
  SetFilePointer(TheFile().handle, 0, nullptr, FILE_BEGIN);
  ::lseek(TheFile().descriptor, 0, SEEK_SET);
}

void PlatformWrites() {
  OpenFile& f = TheFile();
  DWORD moved = 0;
  for (int i = 0; i < kBatch; ++i) WriteFile(f.handle, f.buffer, kBlockSize, &moved, nullptr);
}
void BareWrites() {
  OpenFile& f = TheFile();
  for (int i = 0; i < kBatch; ++i) benchmark::DoNotOptimize(::write(f.descriptor, f.buffer, kBlockSize));
}
void PlatformReads() {
  OpenFile& f = TheFile();
  DWORD moved = 0;
  for (int i = 0; i < kBatch; ++i) ReadFile(f.handle, f.buffer, kBlockSize, &moved, nullptr);
  benchmark::ClobberMemory();
}
void BareReads() {
  OpenFile& f = TheFile();
  for (int i = 0; i < kBatch; ++i) benchmark::DoNotOptimize(::read(f.descriptor, f.buffer, kBlockSize));
  benchmark::ClobberMemory();
}
void PlatformSeeks() {
  OpenFile& f = TheFile();
  for (LONG position : f.positions) benchmark::DoNotOptimize(SetFilePointer(f.handle, position, nullptr, FILE_BEGIN));
}
void BareSeeks() {
  OpenFile& f = TheFile();
  for (LONG position : f.positions) benchmark::DoNotOptimize(::lseek(f.descriptor, position, SEEK_SET));
}

struct Pair {
  const char* name;
  void (*platform)();
  void (*bare)();
};

const Pair kPairs[] = {
    {"WriteFile / write", PlatformWrites, BareWrites},
    {"ReadFile / read", PlatformReads, BareReads},
    {"SetFilePointer / lseek", PlatformSeeks, BareSeeks},
};

double TimeBatch(void (*batch)()) {
  Rewind();
  double start = bench::ThreadSeconds();
  batch();
  return bench::ThreadSeconds() - start;
}

void BM_Batch(benchmark::State& state, void (*batch)()) {
  for (auto _ : state) {
    state.PauseTiming();
    Rewind();
    state.ResumeTiming();
    batch();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK_CAPTURE(BM_Batch, WriteFile, PlatformWrites);
BENCHMARK_CAPTURE(BM_Batch, write, BareWrites);
BENCHMARK_CAPTURE(BM_Batch, ReadFile, PlatformReads);
BENCHMARK_CAPTURE(BM_Batch, read, BareReads);
BENCHMARK_CAPTURE(BM_Batch, SetFilePointer, PlatformSeeks);
BENCHMARK_CAPTURE(BM_Batch, lseek, BareSeeks);

// Rounds of the three pairs, interleaved. Within a round each side runs kTries batches
// in alternation, and the round's sample is the ratio of the two sides' fastest batch:
// other work on the machine only ever adds time, so the fastest of a few batches is the
// truest cost, and the median over rounds then discards rounds where even that was off.
constexpr int kTries = 5;

bool CheckRatios() {
  std::vector<std::vector<double>> ratios(std::size(kPairs));
  std::vector<std::vector<double>> added_ns(std::size(kPairs));
  for (int round = 0; round < kRounds; ++round) {
    for (std::size_t p = 0; p < std::size(kPairs); ++p) {
      double platform = 1e9, bare = 1e9;
      for (int t = 0; t < kTries; ++t) {
        bool platform_first = (round + t) % 2 == 0;
        if (platform_first) platform = std::min(platform, TimeBatch(kPairs[p].platform));
        bare = std::min(bare, TimeBatch(kPairs[p].bare));
        if (!platform_first) platform = std::min(platform, TimeBatch(kPairs[p].platform));
      }
      ratios[p].push_back(platform / bare);
      added_ns[p].push_back((platform - bare) / kBatch * 1e9);
    }
  }
  bool ok = true;
  std::printf("\n%-24s %8s %9s %9s %10s  %s\n", "platform / bare call", "ratio", "noise +-", "goal", "added ns",
              "verdict");
  for (std::size_t p = 0; p < std::size(kPairs); ++p) {
    bench::RatioSummary summary = bench::Summarise(ratios[p]);
    bench::Verdict verdict = bench::Judge(summary, kOverheadGoal);
    ok = ok && verdict != bench::Verdict::kMissed;
    std::printf("%-24s %8.3f %9.3f %9s %10.0f  %s\n", kPairs[p].name, summary.median, summary.band,
                bench::FormatGoal(kOverheadGoal).c_str(), bench::Summarise(added_ns[p]).median,
                bench::VerdictText(verdict));
  }
  std::printf("(processor time; medians of %d interleaved rounds, each the best of %d batches of %d calls a side)\n",
              kRounds, kTries, kBatch);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  bench::ScratchFolder folder;
  if (!OpenTheFile(folder)) {
    std::fprintf(stderr, "bench_platform_file_calls: cannot open the scratch file in %s\n", folder.path().c_str());
    return EXIT_FAILURE;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  bool ok = CheckRatios();
  CloseHandle(TheFile().handle);
  ::close(TheFile().descriptor);
  if (!ok) std::printf("FAILED: a file call costs more than 5%% over its system call, beyond the noise\n");
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
