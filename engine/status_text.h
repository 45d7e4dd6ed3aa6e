// The texts the engine shows: the status line of a timed step, the disk test's total line,
// and the rate texts the drivers return. Pure functions over nanoseconds, so they can be
// checked without timing anything. Numbers never take a locale's decimal comma.
#pragma once

#include <cstdint>
#include <string>

// Status control of the client dialog that every timed step writes.
constexpr int kStatusControlId = 10007;

constexpr std::int64_t kNanosecondsPerHundredth = 10'000'000;
constexpr double kSecondsPerNanosecond = 1e-9;

// "%4s %-22s ": label right-aligned in 4 columns, title left-aligned in 22, never cut.
std::string FormatStepText(const char* label, const char* title);

// "%4d.%02d secs\n" of the elapsed time in whole seconds and truncated hundredths.
std::string FormatTimeText(std::int64_t elapsedNanoseconds);

// The step text followed by the time text: one timed step's status line.
std::string FormatStatusLine(const char* label, const char* title, std::int64_t elapsedNanoseconds);

// "Total Disk test time %d.%02d s" of the disk test's total time.
std::string FormatDiskTotalText(std::int64_t totalNanoseconds);

// Thousands of benchmark units per second for kernel calls that took the total time, each
// call worth unitsPerCall thousand units. 0 when nothing was measured (no call or no time).
double ProcessorRate(std::int64_t kernelCalls, std::int64_t totalNanoseconds, double unitsPerCall);

// Kbyte/s of a disk test: the bytes the transfer phases moved over the total time, which
// includes the create and delete phases. When every transfer moves its whole block this is
// the file's bytes times four per pass. 0 when nothing was measured.
double DiskRate(std::uint64_t bytesMoved, std::int64_t totalNanoseconds);

// "%.4g" of a rate; "0" for a rate that is not a finite positive number.
std::string FormatRateFourDigits(double rate);

// "%d" of a rate truncated toward zero; "0" for a rate that is not a finite positive
// number, and the largest 32-bit value for one beyond it.
std::string FormatRateWhole(double rate);
