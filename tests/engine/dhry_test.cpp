#include "engine/dhry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <iostream>
#include <latch>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string RecordText(const Record* record) {
  Str_30 text;
  DhryTextLoad(&record->Str_Comp, text);
  return text;
}

// The values every call leaves in the shared state, whatever came before it. Returns the
// mismatches as text so that a check made in a child process can report them.
std::string SharedStateMismatches() {
  std::string faults;
  auto expect = [&faults](bool ok, const char* what) {
    if (!ok) faults += std::string(what) + "; ";
  };
  expect(Ptr_Glob != nullptr && Next_Ptr_Glob != nullptr && Ptr_Glob != Next_Ptr_Glob, "record pointers");
  if (!faults.empty()) return faults;
  expect(Bool_Glob == 1, "Bool_Glob");
  expect(Arr_1_Glob[8] == 7 && Arr_1_Glob[9] == 7, "Arr_1_Glob[8], [9]");
  expect(Arr_1_Glob[38] == 8, "Arr_1_Glob[38]");
  expect(Arr_2_Glob[8][8] == 8 && Arr_2_Glob[8][9] == 8, "Arr_2_Glob[8][8], [8][9]");
  expect(Arr_2_Glob[28][8] == 7, "Arr_2_Glob[28][8]");
  expect(Ptr_Glob->Ptr_Comp == Next_Ptr_Glob, "Ptr_Glob->Ptr_Comp");
  expect(Ptr_Glob->Discr == Ident_1, "Ptr_Glob->Discr");
  expect(Ptr_Glob->Enum_Comp == Ident_3, "Ptr_Glob->Enum_Comp");
  expect(Ptr_Glob->Int_Comp == 17, "Ptr_Glob->Int_Comp");
  expect(RecordText(Ptr_Glob) == "DHRYSTONE PROGRAM, SOME STRING", "Ptr_Glob->Str_Comp");
  expect(Next_Ptr_Glob->Ptr_Comp == Next_Ptr_Glob, "Next_Ptr_Glob->Ptr_Comp");
  expect(Next_Ptr_Glob->Discr == Ident_1, "Next_Ptr_Glob->Discr");
  expect(Next_Ptr_Glob->Enum_Comp == Ident_2, "Next_Ptr_Glob->Enum_Comp");
  expect(Next_Ptr_Glob->Int_Comp == 18, "Next_Ptr_Glob->Int_Comp");
  expect(RecordText(Next_Ptr_Glob) == "DHRYSTONE PROGRAM, SOME STRING", "Next_Ptr_Glob->Str_Comp");
  return faults;
}

void ExitWithVerdict(const std::string& faults) {
  std::cerr << faults;
  std::exit(faults.empty() ? 0 : 1);
}

// A first call is only first in a fresh process: these run in a re-executed child.
class DhryFreshProcess : public testing::Test {
 protected:
  void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(DhryFreshProcess, FirstCallSetsUpAndCountsItsRuns) {
  EXPECT_EXIT(
      {
        std::string faults;
        if (Next_Ptr_Glob != nullptr) faults += "records exist before the first call; ";
        dhry();
        faults += SharedStateMismatches();
        if (Arr_2_Glob[8][7] != 200010) faults += "run counter " + std::to_string(Arr_2_Glob[8][7]) + "; ";
        ExitWithVerdict(faults);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(DhryFreshProcess, SixtyThreeConcurrentFirstCallsShareOnePairOfRecords) {
  EXPECT_EXIT(
      {
        constexpr int kThreads = 63;
        std::latch start(kThreads);
        std::vector<Rec_Pointer> seen(kThreads);
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i) {
          threads.emplace_back([&start, &seen, i] {
            start.arrive_and_wait();
            dhry();
            seen[i] = Ptr_Glob;
          });
        }
        for (std::thread& thread : threads) thread.join();
        std::string faults = SharedStateMismatches();
        for (Rec_Pointer pointer : seen)
          if (pointer != Ptr_Glob) faults += "a thread saw another record; ";
        // Concurrent runs may lose counts, but the set-up ran once: the count never restarted
        // below one thread's worth, and never exceeds every run counted.
        long long counter = Arr_2_Glob[8][7];
        if (counter < 200010 || counter > 10 + 200000LL * kThreads)
          faults += "run counter " + std::to_string(counter) + "; ";
        ExitWithVerdict(faults);
      },
      testing::ExitedWithCode(0), "");
}

TEST(Dhry, SequentialCallsLeaveTheVerificationValues) {
  dhry();
  std::int32_t before = Arr_2_Glob[8][7];
  Rec_Pointer records = Ptr_Glob;
  constexpr int kCalls = 3;
  for (int i = 0; i < kCalls; ++i) dhry();
  EXPECT_EQ(Ptr_Glob, records) << "a later call allocated again";
  EXPECT_EQ(Arr_2_Glob[8][7], before + kDhryRunsPerCall * kCalls) << "a later call reset the run counter";
  EXPECT_EQ(SharedStateMismatches(), "");

  const DhryCallValues& values = DhryLastCallValues();
  EXPECT_EQ(values.Int_Glob, 5);
  EXPECT_EQ(values.Ch_1_Glob, 'A');
  EXPECT_EQ(values.Ch_2_Glob, 'B');
  EXPECT_EQ(values.Int_1_Loc, 5);
  EXPECT_EQ(values.Int_2_Loc, 13);
  EXPECT_EQ(values.Int_3_Loc, 7);
  EXPECT_EQ(values.Enum_Loc, Ident_2);
  EXPECT_STREQ(values.Str_1_Loc, "DHRYSTONE PROGRAM, 1'ST STRING");
  EXPECT_STREQ(values.Str_2_Loc, "DHRYSTONE PROGRAM, 2'ND STRING");
}

TEST(Dhry, RunCounterWrapsAt32Bits) {
  dhry();
  Arr_2_Glob[8][7] = INT_MAX - 9;
  dhry();
  EXPECT_EQ(Arr_2_Glob[8][7], INT_MIN + (kDhryRunsPerCall - 10));
}

TEST(Dhry, RecordTextHoldsThirtyCharacters) {
  DhryText text;
  Str_30 back;
  DhryTextStore(&text, "0123456789012345678901234567890123456789");
  DhryTextLoad(&text, back);
  EXPECT_STREQ(back, "012345678901234567890123456789");
  DhryTextStore(&text, "");
  DhryTextLoad(&text, back);
  EXPECT_STREQ(back, "");
}

}  // namespace
