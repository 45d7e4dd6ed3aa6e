#include "cli/report.h"

namespace cli {

std::optional<Summary> SummaryOf(const Session& session, Benchmark b) {
  std::vector<double> rates;
  for (const Run& run : session.runs) {
    const Result& result = run.of(b);
    if (!result.failed() && result.rate) rates.push_back(*result.rate);
  }
  if (rates.empty()) return std::nullopt;
  return Summarise(rates);
}

}  // namespace cli
