#include "cli/run_plan.h"

#include "cli/report.h"

namespace cli {

const char* StopReasonKey(StopReason reason) {
  switch (reason) {
    case StopReason::Stable: return "stable";
    case StopReason::Limit: return "limit";
    case StopReason::Failed: return "failed";
    case StopReason::Interrupted: return "interrupted";
    default: return "count";
  }
}

RunPlan PlanOf(const Options& options) {
  RunPlan plan;
  plan.autoRuns = options.autoRuns;
  plan.runs = options.runs;
  plan.warmup = options.warmup.value_or(options.autoRuns || options.runs > 1 ? 1 : 0);
  return plan;
}

std::optional<StopReason> StopAfter(const RunPlan& plan, const std::vector<Run>& runs) {
  int done = static_cast<int>(runs.size());
  if (!plan.autoRuns) return done >= plan.runs ? std::optional(StopReason::Count) : std::nullopt;
  if (done == 0) return std::nullopt;
  for (Benchmark b : kBenchmarks)
    if (runs.back().of(b).failed()) return StopReason::Failed;
  if (done >= kAutoMinimumRuns) {
    bool stable = true;
    for (Benchmark b : kBenchmarks) {
      std::optional<Summary> summary = SummaryOf(runs, b);
      stable = stable && summary && summary->cv < kStableCv;
    }
    if (stable) return StopReason::Stable;
  }
  if (done >= kAutoRunLimit) return StopReason::Limit;
  return std::nullopt;
}

}  // namespace cli
