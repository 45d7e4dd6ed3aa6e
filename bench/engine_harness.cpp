// What the timing harness and the drivers cost. In one run, the single-thread rates of
// DoDhrystone and DoWhetstone are set against the same kernels timed directly in a tight
// loop; the harness may cost at most 2%. The program exits with
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

struct Subject {
  const char* name;
  BenchKernel kernel;
  CString (*driver)(CWnd*, int, int);
  double unitsPerCall;
  int calls;
};

// One kernel call timed directly, as a rate.
double DirectRate(const Subject& subject) {
  auto start = std::chrono::steady_clock::now();
  subject.kernel();
  std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  return subject.unitsPerCall / seconds.count();
}

double DriverRate(const Subject& subject, int threads, int repeat) {
  CString text = subject.driver(nullptr, threads, repeat);
  return std::atof(static_cast<const char*>(text));
}

// Returns false when the harness costs more than allowed. Direct calls and one-call driver
// runs alternate, and each side keeps its best: other work on the machine only ever makes a
// call slower, so the best calls are the ones it disturbed least.
bool CompareWithDirectLoop(const Subject& subject) {
  double bestDirect = 0.0;
  double bestDriver = 0.0;
  for (int call = 0; call < subject.calls; ++call) {
    bestDirect = std::max(bestDirect, DirectRate(subject));
    bestDriver = std::max(bestDriver, DriverRate(subject, 1, 1));
  }
  double overhead = bestDirect / bestDriver - 1.0;
  bool ok = overhead <= kAllowedOverhead;
  std::printf("%-8s direct %.1f, driver %.1f (1 thread), direct/driver %.4f, harness cost %+.2f%% %s\n",
              subject.name, bestDirect, bestDriver, bestDirect / bestDriver, overhead * 100.0,
              ok ? "ok" : "FAILED: over the 2% limit");
  return ok;
}

// Every multi-thread pass lets its workers settle for a second before the start signal, so
// a few passes are enough here.
constexpr int kTwoThreadPasses = 4;

void PrintTwoThreadRate(const Subject& subject) {
  std::printf("%-8s driver %.1f (2 threads, %d passes)\n", subject.name, DriverRate(subject, 2, kTwoThreadPasses),
              kTwoThreadPasses);
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
      {"KDhry/s", dhry, DoDhrystone, kDhrystoneUnitsPerCall, 300},
      {"KWhet/s", whetd, DoWhetstone, kWhetstoneUnitsPerCall, 1500},
  };
  bool ok = true;
  for (const Subject& subject : subjects) ok = CompareWithDirectLoop(subject) && ok;
  for (const Subject& subject : subjects) PrintTwoThreadRate(subject);
  return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
