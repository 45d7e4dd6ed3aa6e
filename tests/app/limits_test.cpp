// What Run! does with the inputs a person may type: the 63-thread limit with its one
// beep and box, fields that hold no number, and a drive list with nothing picked.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include "app/control_ids.h"
#include "app/last_run.h"
#include "program.h"

namespace app_test {
namespace {

constexpr int kRunBarPosition = 1;
// The message box's text control.
constexpr int kBoxTextId = 0xFFFF;

// Types the inputs and chooses Run! with the mouse; waits until the program is idle
// again (at the end of the run, or with a box waiting for input).
void StartRun(Program& program, const char* threads, const char* blocks, const char* repeat) {
  program.TypeInto(kIdThreads, threads);
  program.TypeInto(kIdBlocks, blocks);
  program.TypeInto(kIdRepeat, repeat);
  headless::clear_beeps();
  program.ForgetTexts();
  program.ClickBar(kRunBarPosition);
  ASSERT_TRUE(program.Idle());
}

class ThreadLimit : public ::testing::TestWithParam<const char*> {};

// Repeat 0 keeps the processor drivers from starting threads at all: the limit is the
// run command's, and what it passes on is seen in the kept run.
TEST_P(ThreadLimit, OneBeepTheBoxAndTheRunGoesOnWithSixtyThree) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  StartRun(program, GetParam(), "16", "0");

  HWND box = program.FindBox("Threads");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(program.Text(GetDlgItem(box, kBoxTextId)), "Maximum threads exceeded");
  EXPECT_EQ(GetWindow(box, GW_OWNER), program.Frame());
  EXPECT_EQ(headless::beeps(), std::vector<UINT>{0});
  // Nothing has run yet.
  EXPECT_TRUE(program.TextsSet().empty());
  if (std::string(GetParam()) == "64") {
    EXPECT_TRUE(headless::screenshot(ShotPath("torvex_thread_limit.png").c_str()));
  }

  headless::press_key(VK_RETURN);
  ASSERT_TRUE(program.Idle());
  EXPECT_FALSE(IsWindow(box));
  EXPECT_EQ(program.Text(kIdThreads), "63");
  EXPECT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  EXPECT_EQ(headless::beeps().size(), 1u);
  program.ClickPopupItem(0, 6);
  EXPECT_EQ(program.Join(), 1);
  EXPECT_EQ(LastRun.threadCount, 63);
}

INSTANTIATE_TEST_SUITE_P(Run, ThreadLimit, ::testing::Values("64", "99999"));

TEST(ThreadLimitEdge, SixtyThreeAndFieldsWithoutNumbersRunWithoutAMessage) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);

  StartRun(program, "63", "16", "0");
  EXPECT_EQ(program.FindBox("Threads"), nullptr);
  EXPECT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  EXPECT_EQ(program.Text(kIdThreads), "63");

  // Letters and an empty field read as 0: no beep, no box, and the run completes.
  StartRun(program, "abc", "", "0");
  EXPECT_EQ(program.FindBox("Threads"), nullptr);
  EXPECT_TRUE(headless::beeps().empty());
  EXPECT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  EXPECT_EQ(program.Text(kIdThreads), "abc");
  EXPECT_EQ(program.Text(kIdDiskResult), "0");

  program.ClickPopupItem(0, 6);
  EXPECT_EQ(program.Join(), 1);
  EXPECT_EQ(LastRun.threadCount, 0);
  EXPECT_EQ(LastRun.blockCount, 0);
  EXPECT_EQ(LastRun.repeatCount, 0);
  EXPECT_TRUE(drives.Files().empty());
}

TEST(Threads, TwoThreadsTwiceFillTheResults) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  StartRun(program, "2", "64", "2");
  EXPECT_TRUE(headless::beeps().empty());
  EXPECT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  for (int id : {kIdDhrystoneResult, kIdWhetstoneResult, kIdDiskResult}) {
    const std::string text = program.Text(id);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text, "-----");
    EXPECT_NE(text, "0") << id;
  }
  // Two timed Dhrystone and two Whetstone passes, each with its workers' lines.
  int dhrystoneLines = 0, whetstoneLines = 0;
  for (const TextSet& set : program.TextsSet()) {
    if (set.id != kIdStatus) continue;
    if (set.text.rfind("  DR ", 0) == 0) ++dhrystoneLines;
    if (set.text.rfind("  WD ", 0) == 0) ++whetstoneLines;
  }
  EXPECT_EQ(dhrystoneLines, 4);
  EXPECT_EQ(whetstoneLines, 4);
  program.ClickPopupItem(0, 6);
  EXPECT_EQ(program.Join(), 1);
  EXPECT_EQ(LastRun.threadCount, 2);
  EXPECT_EQ(LastRun.repeatCount, 2);
  EXPECT_EQ(LastRun.blockCount, 64);
}

// With fewer than three drives nothing is selected at start. Run! then says so and
// changes nothing; once a drive is picked, the run uses it.
TEST(NoDrive, RunTellsThePersonAndTouchesNothingUntilADriveIsPicked) {
  TestDrives drives(2);
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  HWND list = program.Item(kIdDriveList);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);

  StartRun(program, "1", "16", "1");
  HWND box = program.FindBox("Disk Drive");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(program.Text(GetDlgItem(box, kBoxTextId)), "No disk drive selected");
  EXPECT_EQ(headless::beeps(), std::vector<UINT>{0});
  headless::press_key(VK_RETURN);
  ASSERT_TRUE(program.Idle());
  EXPECT_TRUE(program.TextsSet().empty());
  EXPECT_EQ(program.Text(kIdStatus), "Status: Not Running");
  EXPECT_EQ(program.Text(kIdDhrystoneResult), "-----");
  EXPECT_EQ(FileItemState(program.Frame(), 4000), static_cast<UINT>(MF_GRAYED));
  EXPECT_TRUE(drives.Files().empty());

  // The first entry, picked with the mouse.
  program.ClickWindow(list);
  ASSERT_TRUE(program.Idle());
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
  program.ForgetTexts();
  program.ClickBar(kRunBarPosition);
  ASSERT_TRUE(program.Idle());
  EXPECT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  program.ClickPopupItem(0, 6);
  EXPECT_EQ(program.Join(), 1);
  EXPECT_STREQ(LastRun.driveSpec, "a:");
  EXPECT_TRUE(drives.Files().empty());
}

}  // namespace
}  // namespace app_test
