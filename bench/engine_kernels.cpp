// The processor kernels against the same algorithms compiled the classic way (plain C in
// bench/reference, -O2, no optimisation across units). Calls of ours and of the reference
// alternate within one run, so both meet the same machine, and each is timed in the
// thread's processor time; the median of the per-round time ratios is the figure. Goals: `dhry` at least 0.95 of the reference's speed, `whetd`
// at least 0.95 as well. The program exits with status 1 when a goal is missed in every
// attempt. Google Benchmark then times one call of each kernel for the single-thread rates.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <vector>

#include "engine/dhry.h"
#include "engine/whet_d.h"
#include "reference/dhry_ref.h"
#include "reference/whetd_ref.h"

namespace {

constexpr double kGoal = 0.95;
constexpr int kRounds = 31;
constexpr int kAttempts = 3;

struct Pair {
  const char* name;
  void (*ours)();
  void (*reference)();
};

// The calling thread's processor time: on a machine shared with other work, the time the
// kernel itself ran, without the time it waited for a core.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsOf(void (*kernel)()) {
  double start = ThreadSeconds();
  kernel();
  return ThreadSeconds() - start;
}

struct Comparison {
  double ratio;         // our speed over the reference's: above 1 when ours is faster
  double oursMs;        // median time of one call of ours
  double referenceMs;   // median time of one call of the reference
};

double Median(std::vector<double> values) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

Comparison Compare(const Pair& pair) {
  std::vector<double> ratios, ours_times, reference_times;
  for (int round = 0; round < kRounds; ++round) {
    // Alternate who goes first, so neither always meets a warmer or colder machine.
    double ours, reference;
    if (round % 2 == 0) {
      ours = SecondsOf(pair.ours);
      reference = SecondsOf(pair.reference);
    } else {
      reference = SecondsOf(pair.reference);
      ours = SecondsOf(pair.ours);
    }
    if (ours > 0.0) ratios.push_back(reference / ours);
    ours_times.push_back(ours * 1e3);
    reference_times.push_back(reference * 1e3);
  }
  return {Median(ratios), Median(ours_times), Median(reference_times)};
}

bool MeetsGoal(const Pair& pair) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    Comparison comparison = Compare(pair);
    bool ok = comparison.ratio >= kGoal;
    std::printf("%-6s ours / classic compile: %.3f (median of %d interleaved rounds, goal >= %.2f) %s; one call %.3f ms, "
                "classic %.3f ms\n",
                pair.name, comparison.ratio, kRounds, kGoal, ok ? "ok" : "below the goal", comparison.oursMs,
                comparison.referenceMs);
    if (ok) return true;
  }
  return false;
}

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

int main(int argc, char** argv) {
  const Pair pairs[] = {{"dhry", dhry, ref_dhry}, {"whetd", whetd, ref_whetd}};
  bool ok = true;
  for (const Pair& pair : pairs) ok = MeetsGoal(pair) && ok;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return ok ? 0 : 1;
}
