#include "engine/whet_d.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

TEST(Whetd, IntegerModuleKeepsItsFixedPoint) {
  whetd();
  const WhetdModuleValues& values = WhetdLastCallValues();
  EXPECT_EQ(values.module6J, 1);
  EXPECT_EQ(values.module6K, 2);
  EXPECT_EQ(values.module6L, 3);
  EXPECT_EQ(values.module6E1[0], 6.0);
  EXPECT_EQ(values.module6E1[1], 6.0);
}

TEST(Whetd, ProcedureCallModuleGivesTheSameZEveryCall) {
  whetd();
  EXPECT_NEAR(WhetdLastCallValues().module8Z, 0.999937500625, 1e-15);
  double Z = 0.0;
  D_p3(1.0, 1.0, &Z, 0.499975, 2.0);
  EXPECT_EQ(Z, WhetdLastCallValues().module8Z);
}

TEST(Whetd, CallsLeaveNoTraceAndThreadsDoNotMeet) {
  whetd();
  WhetdModuleValues first = WhetdLastCallValues();
  whetd();
  EXPECT_EQ(std::memcmp(&first, &WhetdLastCallValues(), sizeof first), 0);

  WhetdModuleValues other{};
  std::thread worker([&other] {
    whetd();
    other = WhetdLastCallValues();
  });
  worker.join();
  EXPECT_EQ(std::memcmp(&first, &other, sizeof first), 0);
  EXPECT_GT(first.module11X, 0.0);
  EXPECT_LT(first.module11X, 1.0);
}

}  // namespace
