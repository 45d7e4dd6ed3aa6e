// The pointer map against std::unordered_map with the same handle-like keys, for
// lookups and for filling a fresh map. The map keeps a fixed 17 buckets, which suits
// the few dozen handles a handle map holds; the larger sizes show where that ends.
// After the run, each pointer-map time is printed as a ratio to its baseline.
#include "framework/map_pp.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

// Handles and object pointers: distinct, 16-byte aligned, close together.
std::vector<void*> HandleKeys(std::int64_t n) {
  std::vector<void*> keys;
  for (std::int64_t i = 0; i < n; ++i) {
    keys.push_back(reinterpret_cast<void*>(std::uintptr_t{0x10000} + std::uintptr_t(i) * 16));
  }
  return keys;
}

void BM_Lookup_CMapPtrToPtr(benchmark::State& state) {
  std::vector<void*> keys = HandleKeys(state.range(0));
  CMapPtrToPtr map(10);
  for (void* key : keys) map.SetAt(key, key);
  for (auto _ : state) {
    for (void* key : keys) {
      void* value;
      benchmark::DoNotOptimize(map.Lookup(key, value));
      benchmark::DoNotOptimize(value);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Lookup_unordered_map(benchmark::State& state) {
  std::vector<void*> keys = HandleKeys(state.range(0));
  std::unordered_map<void*, void*> map;
  for (void* key : keys) map[key] = key;
  for (auto _ : state) {
    for (void* key : keys) {
      auto found = map.find(key);
      benchmark::DoNotOptimize(found);
    }
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Insert_CMapPtrToPtr(benchmark::State& state) {
  std::vector<void*> keys = HandleKeys(state.range(0));
  for (auto _ : state) {
    CMapPtrToPtr map(10);
    for (void* key : keys) map.SetAt(key, key);
    benchmark::DoNotOptimize(map.GetCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Insert_unordered_map(benchmark::State& state) {
  std::vector<void*> keys = HandleKeys(state.range(0));
  for (auto _ : state) {
    std::unordered_map<void*, void*> map;
    for (void* key : keys) map[key] = key;
    benchmark::DoNotOptimize(map.size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

constexpr std::int64_t kSizes[] = {8, 64, 512};

void Sizes(benchmark::internal::Benchmark* b) {
  for (std::int64_t n : kSizes) b->Arg(n);
}

BENCHMARK(BM_Lookup_CMapPtrToPtr)->Apply(Sizes);
BENCHMARK(BM_Lookup_unordered_map)->Apply(Sizes);
BENCHMARK(BM_Insert_CMapPtrToPtr)->Apply(Sizes);
BENCHMARK(BM_Insert_unordered_map)->Apply(Sizes);

// Prints the usual table, and keeps each run's time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
        times_[run.benchmark_name()] = run.real_accumulated_time / double(run.iterations);
      }
    }
  }

  void PrintRatios() const {
    std::printf("\nCMapPtrToPtr time / std::unordered_map time (lower is better):\n");
    for (const char* operation : {"Lookup", "Insert"}) {
      for (std::int64_t n : kSizes) {
        std::string suffix = "/" + std::to_string(n);
        auto ours = times_.find(std::string("BM_") + operation + "_CMapPtrToPtr" + suffix);
        auto base = times_.find(std::string("BM_") + operation + "_unordered_map" + suffix);
        if (ours == times_.end() || base == times_.end() || base->second <= 0) continue;
        std::printf("  %s, %4lld keys: %.2f\n", operation, static_cast<long long>(n),
                    ours->second / base->second);
      }
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatios();
  benchmark::Shutdown();
  return 0;
}
