// Whole-factor scaling: choosing the factor and mapping desktop input back exactly.
#include <gtest/gtest.h>

#include "display/sdl/scale.h"

using display::sdl::choose_scale;
using display::sdl::Scale;

namespace {

TEST(Scale, TheEnvironmentOverridesTheDisplaysDensityWhenItIsAFactorWeSupport) {
  EXPECT_EQ(choose_scale("2", 96.0f), 2);
  EXPECT_EQ(choose_scale("3", 96.0f), 3);
  EXPECT_EQ(choose_scale("1", 288.0f), 1);
  for (const char* bad : {"0", "4", "-1", "2x", "x", " 2", ""})
    EXPECT_EQ(choose_scale(bad, 192.0f), 2) << "'" << bad << "' is ignored";
}

TEST(Scale, TheDensityGivesOneStepPer96DotsPerInch) {
  EXPECT_EQ(choose_scale(nullptr, 0.0f), 1) << "no density known";
  EXPECT_EQ(choose_scale(nullptr, -5.0f), 1);
  EXPECT_EQ(choose_scale(nullptr, 96.0f), 1);
  EXPECT_EQ(choose_scale(nullptr, 120.0f), 1) << "a slightly dense screen keeps single pixels";
  EXPECT_EQ(choose_scale(nullptr, 192.0f), 2);
  EXPECT_EQ(choose_scale(nullptr, 180.0f), 2);
  EXPECT_EQ(choose_scale(nullptr, 288.0f), 3);
  EXPECT_EQ(choose_scale(nullptr, 600.0f), 3) << "capped";
}

TEST(Scale, EveryDesktopPixelMapsBackToThePlatformPixelItShows) {
  for (int factor = 1; factor <= display::sdl::kMaxScale; ++factor) {
    Scale s{factor};
    for (int p = -50; p <= 50; ++p)
      for (int k = 0; k < factor; ++k)
        ASSERT_EQ(s.to_platform(s.to_desktop(p) + k), p) << "factor " << factor << " pixel " << p << " + " << k;
  }
}

}  // namespace
