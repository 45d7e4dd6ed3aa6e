#include "bench/support/paired_ratio.h"

#include <gtest/gtest.h>

namespace {

TEST(PairedRatio, MedianAndBandComeFromTheRoundsOrderDoesNotMatter) {
  bench::RatioSummary odd = bench::Summarise({1.30, 0.90, 1.00, 1.10, 0.95});
  EXPECT_DOUBLE_EQ(odd.median, 1.00);
  EXPECT_DOUBLE_EQ(odd.band, (1.10 - 0.95) / 2);  // quartiles of 0.90 0.95 1.00 1.10 1.30
  EXPECT_EQ(odd.rounds, 5u);

  bench::RatioSummary even = bench::Summarise({2.0, 1.0, 4.0, 3.0});
  EXPECT_DOUBLE_EQ(even.median, 2.5);
  EXPECT_DOUBLE_EQ(even.band, (3.25 - 1.75) / 2);

  // One wild round moves neither figure much: that is why medians are used.
  bench::RatioSummary wild = bench::Summarise({1.0, 1.0, 1.0, 1.0, 40.0});
  EXPECT_DOUBLE_EQ(wild.median, 1.0);
  EXPECT_DOUBLE_EQ(wild.band, 0.0);

  bench::RatioSummary one = bench::Summarise({0.97});
  EXPECT_DOUBLE_EQ(one.median, 0.97);
  EXPECT_DOUBLE_EQ(one.band, 0.0);
}

TEST(PairedRatio, AGoalFailsOnlyWhenMissedByMoreThanTheNoise) {
  const bench::Goal at_least{bench::Goal::kAtLeast, 0.98};
  const bench::Goal at_most{bench::Goal::kAtMost, 2.0};
  struct Case {
    double median, band;
    const bench::Goal& goal;
    bench::Verdict verdict;
  } cases[] = {
      {0.99, 0.00, at_least, bench::Verdict::kMet},
      {0.98, 0.00, at_least, bench::Verdict::kMet},
      {0.97, 0.02, at_least, bench::Verdict::kWithinNoise},
      {0.97, 0.005, at_least, bench::Verdict::kMissed},
      {1.50, 0.00, at_most, bench::Verdict::kMet},
      {2.05, 0.10, at_most, bench::Verdict::kWithinNoise},
      {2.50, 0.10, at_most, bench::Verdict::kMissed},
  };
  for (const Case& c : cases) {
    bench::RatioSummary summary{c.median, c.band, 5};
    EXPECT_EQ(bench::Judge(summary, c.goal), c.verdict) << c.median << " +- " << c.band << " " << FormatGoal(c.goal);
  }
}

TEST(PairedRatio, AnAtoAControlWidensTheBandByHowFarItStrays) {
  bench::RatioSummary measured{0.95, 0.01, 9};
  // A control that strays 3% with a 1% spread: 4% is what conditions alone can do.
  bench::RatioSummary wide = bench::WithControl(measured, {0.97, 0.01, 9});
  EXPECT_DOUBLE_EQ(wide.median, 0.95);
  EXPECT_NEAR(wide.band, 0.04, 1e-12);
  // Above 1 counts the same as below; a tight control leaves the band alone.
  EXPECT_NEAR(bench::WithControl(measured, {1.02, 0.005, 9}).band, 0.025, 1e-12);
  EXPECT_NEAR(bench::WithControl(measured, {1.0, 0.002, 9}).band, 0.01, 1e-12);
}

}  // namespace
