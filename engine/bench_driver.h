// Running a processor kernel for the drivers: a number of passes, either on the calling
// (GUI) thread or in worker threads that start together, adding up what DoBench measures.
#pragma once

#include <win32.h>

#include <cstdint>

#include "engine/bench.h"

class CWnd;

// The most worker threads one pass may start (the size of the wait arrays).
constexpr int kMaxBenchThreads = 63;
// How long the workers wait for the start signal, and how long the driver lets them settle
// on it before giving it.
constexpr DWORD kStartWaitMilliseconds = 10000;
constexpr DWORD kSettleMilliseconds = 1000;
// The driver waits on each worker in slices of this length, servicing sent messages between.
constexpr DWORD kWaitSliceMilliseconds = 200;

// Handed to every worker of one driver call; read-only for the workers.
struct BenchThreadParams {
  const char* label;
  const char* title;
  BenchKernel kernel;
  CWnd* dialog;
  HANDLE startEvent;
};

// One worker of a pass: the shared parameters, and when its kernel call began and ended
// (written by the worker, read by the driver once the worker has ended).
struct BenchWorker {
  const BenchThreadParams* params = nullptr;
  BenchInterval interval;
};

// Worker entry, handed a BenchWorker: waits for the start signal (at most
// kStartWaitMilliseconds, then runs all the same), times one kernel call with DoBench,
// notes when it began and ended, and exits with the elapsed hundredths of a second.
DWORD WINAPI DoBenchThread(LPVOID worker);

// What a driver call measured: the sum of its passes' times and the kernel calls they made.
struct BenchTotals {
  std::int64_t totalNanoseconds = 0;
  std::int64_t kernelCalls = 0;
};

// threads <= 1: `repeat` calls on this thread, each counting with its own time.
// threads >= 2 (at most kMaxBenchThreads): per pass, that many new workers released by one
// manual-reset event; the pass counts with its span, from the start signal to the end of
// its last worker. Workers that share the cores therefore never count as if each had one
// of its own. A worker that could not be created is left out of the call count.
BenchTotals RunProcessorBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog,
                              int threads, int repeat);

// The span of a pass: from the start signal to the latest end of its workers' calls;
// 0 when no worker ran.
std::int64_t PassSpan(std::int64_t startSignal, const BenchInterval* intervals, int count);
