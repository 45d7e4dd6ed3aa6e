// What the timing harness and the drivers cost. In one run, the single-thread rates of
// DoDhrystone and DoWhetstone are set against the same kernels timed directly in a tight
// loop; the harness may cost at most 2%. The best of several interleaved rounds is kept on
// both sides, so that other work on the machine weighs on neither. The program exits with
// status 1 when the limit is exceeded. It also prints the two-thread rates.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "engine/dhry.h"
#include "engine/drivers.h"
#include "engine/whet_d.h"

namespace {

constexpr double kAllowedOverhead = 0.02;
constexpr int kRounds = 7;

struct Subject {
  const char* name;
  BenchKernel kernel;
  CString (*driver)(CWnd*, int, int);
  double unitsPerCall;
  int callsPerRound;
};

double DirectRate(const Subject& subject) {
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < subject.callsPerRound; ++i) subject.kernel();
  std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  return subject.callsPerRound / seconds.count() * subject.unitsPerCall;
}

double DriverRate(const Subject& subject, int threads) {
  CString text = subject.driver(nullptr, threads, subject.callsPerRound);
  return std::atof(static_cast<const char*>(text));
}

// Returns false when the harness costs more than allowed.
bool CompareWithDirectLoop(const Subject& subject) {
  double bestDirect = 0.0;
  double bestDriver = 0.0;
  for (int round = 0; round < kRounds; ++round) {
    bestDirect = std::max(bestDirect, DirectRate(subject));
    bestDriver = std::max(bestDriver, DriverRate(subject, 1));
  }
  double overhead = bestDirect / bestDriver - 1.0;
  bool ok = overhead <= kAllowedOverhead;
  std::printf("%-10s direct %.1f, driver %.1f (1 thread), direct/driver %.4f, harness cost %+.2f%% %s\n",
              subject.name, bestDirect, bestDriver, bestDirect / bestDriver, overhead * 100.0,
              ok ? "ok" : "FAILED: over the 2% limit");
  return ok;
}

void PrintTwoThreadRate(const Subject& subject) {
  double best = 0.0;
  for (int round = 0; round < 3; ++round) best = std::max(best, DriverRate(subject, 2));
  std::printf("%-10s driver %.1f (2 threads)\n", subject.name, best);
}

void BM_DoDhrystoneSingleCall(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DoDhrystone(nullptr, 1, 1));
}
BENCHMARK(BM_DoDhrystoneSingleCall)->Unit(benchmark::kMillisecond);

void BM_DoWhetstoneSingleCall(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DoWhetstone(nullptr, 1, 1));
}
BENCHMARK(BM_DoWhetstoneSingleCall)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  const Subject subjects[] = {
      {"KDhry/s", dhry, DoDhrystone, kDhrystoneUnitsPerCall, 40},
      {"KWhet/s", whetd, DoWhetstone, kWhetstoneUnitsPerCall, 200},
  };
  bool ok = true;
  for (const Subject& subject : subjects) ok = CompareWithDirectLoop(subject) && ok;
  for (const Subject& subject : subjects) PrintTwoThreadRate(subject);
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
