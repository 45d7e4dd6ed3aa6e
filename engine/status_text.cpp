// Status and result texts. Integers go through snprintf ("%d" is the same in every locale);
// the one fractional format goes through std::to_chars, which ignores the locale.
#include "engine/status_text.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {

// The time texts show seconds with two truncated decimals of the same measurement.
struct SecondsAndHundredths {
  long long seconds;
  int hundredths;
};

SecondsAndHundredths SplitHundredths(std::int64_t nanoseconds) {
  std::int64_t hundredths = nanoseconds / kNanosecondsPerHundredth;
  return {static_cast<long long>(hundredths / 100), static_cast<int>(hundredths % 100)};
}

const char* TextOrEmpty(const char* text) { return text != nullptr ? text : ""; }

bool IsMeasuredRate(double rate) { return std::isfinite(rate) && rate > 0.0; }

}  // namespace

std::string FormatStepText(const char* label, const char* title) {
  label = TextOrEmpty(label);
  title = TextOrEmpty(title);
  int length = std::snprintf(nullptr, 0, "%4s %-22s ", label, title);
  std::string text(static_cast<std::size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, "%4s %-22s ", label, title);
  return text;
}

std::string FormatTimeText(std::int64_t elapsedNanoseconds) {
  SecondsAndHundredths time = SplitHundredths(elapsedNanoseconds);
  char text[48];
  std::snprintf(text, sizeof text, "%4lld.%02d secs\n", time.seconds, time.hundredths);
  return text;
}

std::string FormatStatusLine(const char* label, const char* title, std::int64_t elapsedNanoseconds) {
  return FormatStepText(label, title) + FormatTimeText(elapsedNanoseconds);
}

std::string FormatDiskTotalText(std::int64_t totalNanoseconds) {
  SecondsAndHundredths time = SplitHundredths(totalNanoseconds);
  char text[64];
  std::snprintf(text, sizeof text, "Total Disk test time %lld.%02d s", time.seconds, time.hundredths);
  return text;
}

double ProcessorRate(std::int64_t kernelCalls, std::int64_t totalNanoseconds, double unitsPerCall) {
  if (kernelCalls <= 0 || totalNanoseconds <= 0) return 0.0;
  return static_cast<double>(kernelCalls) / (static_cast<double>(totalNanoseconds) * kSecondsPerNanosecond) *
         unitsPerCall;
}

double DiskRate(std::uint64_t bytesMoved, std::int64_t totalNanoseconds) {
  if (bytesMoved == 0 || totalNanoseconds <= 0) return 0.0;
  return static_cast<double>(bytesMoved) / (static_cast<double>(totalNanoseconds) * kSecondsPerNanosecond) / 1000.0;
}

std::string FormatRateFourDigits(double rate) {
  if (!IsMeasuredRate(rate)) return "0";
  char text[32];
  auto result = std::to_chars(text, text + sizeof text, rate, std::chars_format::general, 4);
  return std::string(text, result.ptr);
}

std::string FormatRateWhole(double rate) {
  if (!IsMeasuredRate(rate)) return "0";
  int whole = rate >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(rate);
  char text[32];
  std::snprintf(text, sizeof text, "%d", whole);
  return text;
}
