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

// Worker entry: waits for the start signal (at most kStartWaitMilliseconds, then runs all
// the same), times one kernel call with DoBench and exits with the elapsed microseconds,
// saturated to the 32 bits of an exit code.
DWORD WINAPI DoBenchThread(LPVOID params);

// What a driver call measured: the sum of its passes' times and the kernel calls they made.
struct BenchTotals {
  std::int64_t totalMicroseconds = 0;
  std::int64_t kernelCalls = 0;
};

// threads <= 1: `repeat` calls on this thread. threads >= 2 (at most kMaxBenchThreads):
// per pass, that many new workers released by one manual-reset event; the pass counts with
// the truncated mean of its workers' times. A worker that could not be created is left out
// of its pass's mean and of the call count.
BenchTotals RunProcessorBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog,
                              int threads, int repeat);

// The truncating mean of a pass's exit codes (microseconds).
std::int64_t MeanOfExitCodes(const DWORD* exitCodes, int count);
