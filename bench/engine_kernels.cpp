// One call of each processor kernel, timed by Google Benchmark. The counters give the
// rates the program would show for a single thread (KDhry/s, KWhet/s).
#include <benchmark/benchmark.h>

#include "engine/dhry.h"
#include "engine/whet_d.h"

namespace {

void BM_DhryCall(benchmark::State& state) {
  for (auto _ : state) dhry();
  state.counters["KDhry/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kDhryRunsPerCall / 1000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DhryCall)->Unit(benchmark::kMillisecond);

void BM_WhetdCall(benchmark::State& state) {
  for (auto _ : state) whetd();
  state.counters["KWhet/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 10000.0, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_WhetdCall)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
