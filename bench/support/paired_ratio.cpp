#include "bench/support/paired_ratio.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>

namespace bench {
namespace {

// The q-quantile of sorted values, interpolating between neighbours.
double Quantile(const std::vector<double>& sorted, double q) {
  double position = q * static_cast<double>(sorted.size() - 1);
  auto below = static_cast<std::size_t>(position);
  std::size_t above = std::min(below + 1, sorted.size() - 1);
  double fraction = position - static_cast<double>(below);
  return sorted[below] + (sorted[above] - sorted[below]) * fraction;
}

}  // namespace

RatioSummary Summarise(std::vector<double> ratios) {
  assert(!ratios.empty());
  std::sort(ratios.begin(), ratios.end());
  RatioSummary summary;
  summary.median = Quantile(ratios, 0.5);
  summary.band = (Quantile(ratios, 0.75) - Quantile(ratios, 0.25)) / 2.0;
  summary.rounds = ratios.size();
  return summary;
}

RatioSummary WithControl(RatioSummary measured, const RatioSummary& control) {
  measured.band = std::max(measured.band, std::abs(control.median - 1.0) + control.band);
  return measured;
}

Verdict Judge(const RatioSummary& summary, const Goal& goal) {
  double shortfall = goal.kind == Goal::kAtLeast ? goal.limit - summary.median : summary.median - goal.limit;
  if (shortfall <= 0.0) return Verdict::kMet;
  return shortfall <= summary.band ? Verdict::kWithinNoise : Verdict::kMissed;
}

std::string FormatGoal(const Goal& goal) {
  char text[32];
  std::snprintf(text, sizeof text, "%s %.2f", goal.kind == Goal::kAtLeast ? ">=" : "<=", goal.limit);
  return text;
}

const char* VerdictText(Verdict verdict) {
  switch (verdict) {
    case Verdict::kMet:
      return "ok";
    case Verdict::kWithinNoise:
      return "within noise";
    case Verdict::kMissed:
      return "MISSED";
  }
  return "?";
}

}  // namespace bench
