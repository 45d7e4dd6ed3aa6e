// The two ways a processor benchmark runs. In the multi-thread path the GUI thread keeps
// servicing sent messages while it waits, because every worker's status write is a
// cross-thread send that blocks the worker until the GUI thread takes it.
#include "engine/bench_driver.h"

#include <algorithm>
#include <limits>

namespace {

DWORD SaturatedExitCode(std::int64_t microseconds) {
  constexpr std::int64_t kLargest = std::numeric_limits<DWORD>::max();
  return static_cast<DWORD>(std::clamp<std::int64_t>(microseconds, 0, kLargest));
}

BenchTotals RunOnThisThread(const BenchThreadParams& params, int repeat) {
  BenchTotals totals;
  for (int pass = 0; pass < repeat; ++pass) {
    totals.totalMicroseconds += DoBench(params.label, params.title, params.kernel, params.dialog);
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

void RunOnePass(BenchThreadParams& params, int threads, BenchTotals& totals) {
  HANDLE workers[kMaxBenchThreads];
  DWORD workerIds[kMaxBenchThreads];
  int created = 0;
  for (int i = 0; i < threads; ++i) {
    HANDLE worker = CreateThread(NULL, 0, DoBenchThread, &params, 0, &workerIds[created]);
    if (worker != NULL) workers[created++] = worker;
  }

  ServiceSentMessages();
  Sleep(kSettleMilliseconds);
  ServiceSentMessages();
  SetEvent(params.startEvent);

  DWORD exitCodes[kMaxBenchThreads];
  int ended = 0;
  for (int i = 0; i < created; ++i) {
    if (WaitForWorker(workers[i]) && GetExitCodeThread(workers[i], &exitCodes[ended])) ++ended;
    CloseHandle(workers[i]);
  }
  if (ended > 0) {
    totals.totalMicroseconds += MeanOfExitCodes(exitCodes, ended);
    totals.kernelCalls += ended;
  }
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

DWORD WINAPI DoBenchThread(LPVOID params) {
  const auto* bench = static_cast<const BenchThreadParams*>(params);
  if (bench == nullptr) return 0;
  WaitForSingleObject(bench->startEvent, kStartWaitMilliseconds);
  return SaturatedExitCode(DoBench(bench->label, bench->title, bench->kernel, bench->dialog));
}

std::int64_t MeanOfExitCodes(const DWORD* exitCodes, int count) {
  if (exitCodes == nullptr || count <= 0) return 0;
  std::uint64_t sum = 0;
  for (int i = 0; i < count; ++i) sum += exitCodes[i];
  return static_cast<std::int64_t>(sum / static_cast<std::uint64_t>(count));
}

BenchTotals RunProcessorBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog,
                              int threads, int repeat) {
  BenchThreadParams params{label, title, kernel, dialog, NULL};
  if (threads <= 1) return RunOnThisThread(params, repeat);
  return RunInWorkers(params, std::min(threads, kMaxBenchThreads), repeat);
}
