// The two ways a processor benchmark runs. In the multi-thread path the GUI thread keeps
// servicing sent messages while it waits, because every worker's status write is a
// cross-thread send that blocks the worker until the GUI thread takes it.
#include "engine/bench_driver.h"

#include <algorithm>
#include <limits>

#include "engine/status_text.h"

namespace {

DWORD ExitCodeOf(const BenchInterval& interval) {
  constexpr std::int64_t kLargest = std::numeric_limits<DWORD>::max();
  std::int64_t hundredths = (interval.ended - interval.began) / kNanosecondsPerHundredth;
  return static_cast<DWORD>(std::clamp<std::int64_t>(hundredths, 0, kLargest));
}

BenchTotals RunOnThisThread(const BenchThreadParams& params, int repeat) {
  BenchTotals totals;
  for (int pass = 0; pass < repeat; ++pass) {
    totals.totalNanoseconds += DoBench(params.label, params.title, params.kernel, params.dialog);
    ++totals.kernelCalls;
  }
  return totals;
}

// Waits, in slices, until the worker has ended. Any answer but a time-out ends the wait,
// so a handle that fails can never keep the driver here.
bool WaitForWorker(HANDLE worker) {
  for (;;) {
    ServiceSentMessages();
    DWORD result = WaitForSingleObject(worker, kWaitSliceMilliseconds);
    if (result != WAIT_TIMEOUT) return result == WAIT_OBJECT_0;
  }
}

void RunOnePass(const BenchThreadParams& params, int threads, BenchTotals& totals) {
  BenchWorker workers[kMaxBenchThreads];
  HANDLE handles[kMaxBenchThreads];
  DWORD workerIds[kMaxBenchThreads];
  int created = 0;
  for (int i = 0; i < threads; ++i) {
    workers[created].params = &params;
    HANDLE handle = CreateThread(NULL, 0, DoBenchThread, &workers[created], 0, &workerIds[created]);
    if (handle != NULL) handles[created++] = handle;
  }

  ServiceSentMessages();
  Sleep(kSettleMilliseconds);
  ServiceSentMessages();
  std::int64_t startSignal = BenchClockNow();
  SetEvent(params.startEvent);

  BenchInterval ran[kMaxBenchThreads];
  int ended = 0;
  for (int i = 0; i < created; ++i) {
    if (WaitForWorker(handles[i])) ran[ended++] = workers[i].interval;
    CloseHandle(handles[i]);
  }
  totals.totalNanoseconds += PassSpan(startSignal, ran, ended);
  totals.kernelCalls += ended;
  ResetEvent(params.startEvent);
}

BenchTotals RunInWorkers(BenchThreadParams& params, int threads, int repeat) {
  BenchTotals totals;
  params.startEvent = CreateEventA(NULL, TRUE, FALSE, NULL);
  for (int pass = 0; pass < repeat; ++pass) RunOnePass(params, threads, totals);
  if (params.startEvent != NULL) CloseHandle(params.startEvent);
  return totals;
}

}  // namespace

DWORD WINAPI DoBenchThread(LPVOID worker) {
  auto* self = static_cast<BenchWorker*>(worker);
  if (self == nullptr || self->params == nullptr) return 0;
  const BenchThreadParams& bench = *self->params;
  WaitForSingleObject(bench.startEvent, kStartWaitMilliseconds);
  self->interval = DoBenchInterval(bench.label, bench.title, bench.kernel, bench.dialog);
  return ExitCodeOf(self->interval);
}

std::int64_t PassSpan(std::int64_t startSignal, const BenchInterval* intervals, int count) {
  if (intervals == nullptr || count <= 0) return 0;
  std::int64_t lastEnd = startSignal;
  for (int i = 0; i < count; ++i) lastEnd = std::max(lastEnd, intervals[i].ended);
  return lastEnd - startSignal;
}

BenchTotals RunProcessorBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog,
                              int threads, int repeat) {
  BenchThreadParams params{label, title, kernel, dialog, NULL};
  if (threads <= 1) return RunOnThisThread(params, repeat);
  return RunInWorkers(params, std::min(threads, kMaxBenchThreads), repeat);
}
