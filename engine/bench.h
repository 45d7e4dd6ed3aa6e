// The timing harness: every timed step of the three benchmarks goes through DoBench.
#pragma once

#include <cstdint>

class CWnd;

// A benchmark kernel: one complete unit of work, without arguments or result.
typedef void (*BenchKernel)();

// Times one call of the kernel on a monotonic clock, writes the step's line into the
// status control of the dialog and lets pending cross-thread sends through with one
// non-removing peek. Returns the elapsed microseconds. Formatting, the status write and
// the peek all stay outside the timed interval.
std::int64_t DoBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog);

// Lets messages sent from other threads (the workers' status writes) reach this thread's
// windows, without taking anything from its queue.
void ServiceSentMessages();
