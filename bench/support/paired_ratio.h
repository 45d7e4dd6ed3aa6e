// Paired ratios: ours and a baseline run back to back, round after round, and each round
// gives one ratio. On a shared machine one round can be thrown off by other work, so a
// figure is the median of the rounds, and its noise band is the semi-interquartile range
// of the same rounds: the spread this bench itself saw, not a guess.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bench {

struct RatioSummary {
  double median = 0.0;
  double band = 0.0;  // half the distance between the first and third quartiles
  std::size_t rounds = 0;
};

// REQUIRES: ratios is not empty.
RatioSummary Summarise(std::vector<double> ratios);

// A ratio's noise band widened by an A/A control: the baseline set against a second copy
// of itself in the same rounds. Identical code should give 1; how far the control strays
// from 1, plus its own spread, is noise this run's conditions can make on their own.
RatioSummary WithControl(RatioSummary measured, const RatioSummary& control);

// A goal on a ratio: at least (speed ratios) or at most (cost ratios) the limit.
struct Goal {
  enum Kind { kAtLeast, kAtMost } kind;
  double limit;
};

enum class Verdict {
  kMet,          // the median meets the goal
  kWithinNoise,  // it misses, but by no more than the noise band
  kMissed,       // it misses by more than the noise band: a real shortfall
};

Verdict Judge(const RatioSummary& summary, const Goal& goal);

// ">= 0.98", "<= 2.00"
std::string FormatGoal(const Goal& goal);
// "ok", "within noise", "MISSED"
const char* VerdictText(Verdict verdict);

}  // namespace bench
