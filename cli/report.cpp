#include "cli/report.h"

namespace cli {

namespace {

// Dhrystones per second of the reference machine that defines one DMIPS.
constexpr double kDhrystonesPerDmips = 1757.0;

}  // namespace

std::optional<double> KnownRate(Benchmark b, double rate) {
  if (b == Benchmark::Dhrystone) return rate * 1000.0 / kDhrystonesPerDmips;
  if (b == Benchmark::Whetstone) return rate / 1000.0;
  return std::nullopt;
}

const char* CacheModeName(CacheMode mode) { return mode == CacheMode::Bypassed ? "bypassed" : "system"; }

const char* KnownUnit(Benchmark b) {
  if (b == Benchmark::Dhrystone) return "DMIPS";
  if (b == Benchmark::Whetstone) return "MWIPS";
  return "";
}

std::optional<Summary> SummaryOf(const Session& session, Benchmark b) { return SummaryOf(session.runs, b); }

std::optional<Summary> SummaryOf(const std::vector<Run>& runs, Benchmark b) {
  std::vector<double> rates;
  for (const Run& run : runs) {
    const Result& result = run.of(b);
    if (!result.failed() && result.rate) rates.push_back(*result.rate);
  }
  if (rates.empty()) return std::nullopt;
  return Summarise(rates);
}

}  // namespace cli
