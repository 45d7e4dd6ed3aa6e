// The disk test's phases, each timed on its own, and one whole test. The scratch file goes
// to a drive letter mapped to a fresh temporary folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <stdlib.h>

#include "engine/disknt.h"

namespace {

constexpr int kBlocks = 1024;  // a 4 MB file
const char* kDrive = "T:";

void BM_DiskPhase(benchmark::State& state, void (*phase)()) {
  PrepareDiskTest(kBlocks, kDrive);
  diskio0();
  for (auto _ : state) phase();
  diskio5();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBlocks * kDiskBlockSize);
}
BENCHMARK_CAPTURE(BM_DiskPhase, SequentialWrite, diskio1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiskPhase, SequentialRead, diskio2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiskPhase, RandomWrite, diskio3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_DiskPhase, RandomRead, diskio4)->Unit(benchmark::kMillisecond);

void BM_DiskCreateAndDelete(benchmark::State& state) {
  PrepareDiskTest(kBlocks, kDrive);
  for (auto _ : state) {
    diskio0();
    diskio5();
  }
}
BENCHMARK(BM_DiskCreateAndDelete)->Unit(benchmark::kMicrosecond);

void BM_DoDiskBench(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DoDiskBench(nullptr, kBlocks, 1, kDrive));
}
BENCHMARK(BM_DoDiskBench)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "torvex-bench-disk";
  std::filesystem::create_directories(folder);
  std::string drives = "t=" + folder.string();
  ::setenv("TORVEX_DRIVES", drives.c_str(), 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(folder);
  return 0;
}
