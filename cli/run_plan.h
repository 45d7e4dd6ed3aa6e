// How many runs a session makes, and why it stopped making them. --runs K makes K;
// --runs auto repeats until every benchmark's coefficient of variation is below 3% or ten
// runs are done. Warm-up runs come first and are discarded: by default one when there is
// more than one run, so the first measured run does not pay for cold caches and a
// processor still raising its clock.
#pragma once

#include <optional>

#include "cli/options.h"
#include "cli/run_record.h"

namespace cli {

constexpr double kStableCv = 0.03;
constexpr int kAutoRunLimit = 10;
// A spread needs a few runs to mean anything: two runs that happen to agree are no
// evidence of a quiet machine.
constexpr int kAutoMinimumRuns = 3;
// The warm-up's disk test writes the smallest scratch file: it warms the processor
// benchmarks and costs the drive next to nothing.
constexpr int kWarmupBlocks = 1;

enum class StopReason {
  Count,        // the asked-for number of runs is done
  Stable,       // --runs auto: every benchmark's cv is below kStableCv
  Limit,        // --runs auto: kAutoRunLimit runs done without that
  Failed,       // --runs auto: a benchmark failed, and repeating would not mend it
  Interrupted,  // Ctrl+C: the runs so far are all there is
};

const char* StopReasonKey(StopReason reason);  // "count", "stable", "limit", "failed", "interrupted"

struct RunPlan {
  bool autoRuns = false;
  int runs = 1;  // without autoRuns
  int warmup = 0;
};

RunPlan PlanOf(const Options& options);

// Nothing while another measured run is due after `runs`; otherwise why the series ends.
std::optional<StopReason> StopAfter(const RunPlan& plan, const std::vector<Run>& runs);

}  // namespace cli
