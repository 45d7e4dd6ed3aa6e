// The timing harness: every timed step of the three benchmarks goes through DoBench.
#pragma once

#include <cstdint>

class CWnd;

// A benchmark kernel: one complete unit of work, without arguments or result.
typedef void (*BenchKernel)();

// Times one call of the kernel on a monotonic clock, writes the step's line into the
// status control of the dialog and lets pending cross-thread sends through with one
// non-removing peek. Returns the elapsed nanoseconds. Formatting, the status write and
// the peek all stay outside the timed interval.
std::int64_t DoBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog);

// When one timed kernel call began and ended, in nanoseconds of the monotonic clock.
struct BenchInterval {
  std::int64_t began = 0;
  std::int64_t ended = 0;
};

// DoBench that also tells when the call began and ended, so that calls made on several
// threads can be set against each other.
BenchInterval DoBenchInterval(const char* label, const char* title, BenchKernel kernel, CWnd* dialog);

// The monotonic clock the harness reads, in nanoseconds.
std::int64_t BenchClockNow();

// Lets messages sent from other threads (the workers' status writes) reach this thread's
// windows, without taking anything from its queue.
void ServiceSentMessages();
