// When a series of runs stops: --runs K after K, --runs auto once every benchmark's
// spread is below 3% (never on fewer than three runs), at ten, or at a failure.
#include "cli/run_plan.h"

#include <gtest/gtest.h>

namespace {

using namespace cli;

Run RunOf(double dhry, double whet, double disk, const char* diskFailure = "") {
  Run run;
  double rates[] = {dhry, whet, disk};
  for (int i = 0; i < 3; ++i) run.results[i].rate = rates[i];
  run.results[2].failure = diskFailure;
  return run;
}

TEST(RunPlan, OneWarmupRunByDefaultOnlyWhenThereAreSeveralRuns) {
  auto plan = [](std::initializer_list<const char*> args) {
    std::vector<const char*> argv = {"torvex", "--run"};
    argv.insert(argv.end(), args);
    return PlanOf(ParseOptions(static_cast<int>(argv.size()), argv.data()).options);
  };
  EXPECT_EQ(plan({}).warmup, 0);
  EXPECT_EQ(plan({"--runs=2"}).warmup, 1);
  EXPECT_EQ(plan({"--runs=auto"}).warmup, 1);
  EXPECT_EQ(plan({"--runs=5", "--warmup=0"}).warmup, 0);
  EXPECT_EQ(plan({"--warmup=2"}).warmup, 2);
}

TEST(RunPlan, AFixedCountStopsAtItsCountWhateverTheFigures) {
  RunPlan plan{false, 2, 0};
  std::vector<cli::Run> runs = {RunOf(1, 1, 0, "Create file: no space")};
  EXPECT_FALSE(StopAfter(plan, runs));
  runs.push_back(RunOf(9, 9, 9));
  EXPECT_EQ(StopAfter(plan, runs), StopReason::Count);
}

TEST(RunPlan, AutoStopsWhenEverySpreadIsBelowThreePercentButNeverBeforeThreeRuns) {
  RunPlan plan{true, 1, 1};
  std::vector<cli::Run> runs;
  EXPECT_FALSE(StopAfter(plan, runs));
  runs = {RunOf(100, 100, 100), RunOf(100, 100, 100)};
  EXPECT_FALSE(StopAfter(plan, runs));  // two equal runs prove nothing yet
  runs.push_back(RunOf(101, 100, 100));
  EXPECT_EQ(StopAfter(plan, runs), StopReason::Stable);
  // One noisy benchmark keeps it going.
  runs = {RunOf(100, 100, 100), RunOf(100, 100, 130), RunOf(100, 100, 100)};
  EXPECT_FALSE(StopAfter(plan, runs));
  // cv exactly at the mark is not below it: 97, 100, 103 have a cv of 3%.
  runs = {RunOf(100, 100, 97), RunOf(100, 100, 100), RunOf(100, 100, 103)};
  EXPECT_FALSE(StopAfter(plan, runs));
}

TEST(RunPlan, AutoStopsAtTheLimitOrAtAFailure) {
  RunPlan plan{true, 1, 0};
  std::vector<cli::Run> runs;
  for (int i = 0; i < kAutoRunLimit - 1; ++i) runs.push_back(RunOf(100 + 50 * (i % 2), 100, 100));
  EXPECT_FALSE(StopAfter(plan, runs));
  runs.push_back(RunOf(100, 100, 100));
  EXPECT_EQ(StopAfter(plan, runs), StopReason::Limit);
  EXPECT_EQ(StopAfter(plan, {RunOf(100, 100, 0, "Create file: no space")}), StopReason::Failed);
}

}  // namespace
