// The File commands after a run, keys in the panel, and Run! where there is no panel.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include "app/control_ids.h"
#include "app/last_run.h"
#include "framework/window.h"
#include "genui/app_hooks.h"
#include "program.h"

namespace app_test {
namespace {

constexpr int kRunBarPosition = 1;
constexpr int kIds[] = {kIdThreads, kIdBlocks, kIdRepeat, kIdDhrystoneResult,
                        kIdWhetstoneResult, kIdDiskResult, kIdStatus};

std::vector<std::string> Fields(const Program& program) {
  std::vector<std::string> texts;
  for (int id : kIds) texts.push_back(program.Text(id));
  return texts;
}

TEST(FileCommands, SaveSaveAsAndPrintBeepOnceAndChangeNothing) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  program.TypeInto(kIdBlocks, "16");
  program.ClickBar(kRunBarPosition);
  ASSERT_TRUE(program.Idle());
  ASSERT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  char lineBefore[kResultsLineSize];
  FormatResultsLine(LastRun, lineBefore);

  const std::vector<std::string> before = Fields(program);
  for (int position : {1, 2, 4}) {  // Save, Save as..., Print in the File pop-up
    headless::clear_beeps();
    program.ForgetTexts();
    program.ClickPopupItem(0, position);
    ASSERT_TRUE(program.Idle());
    EXPECT_EQ(headless::beeps(), std::vector<UINT>{0}) << "item " << position;
    EXPECT_EQ(Fields(program), before);
    EXPECT_TRUE(program.TextsSet().empty());
    EXPECT_TRUE(drives.Files().empty());
  }
  char lineAfter[kResultsLineSize];
  FormatResultsLine(LastRun, lineAfter);
  EXPECT_STREQ(lineAfter, lineBefore);
  program.ClickPopupItem(0, 6);
  EXPECT_EQ(program.Join(), 1);
}

TEST(Panel, EnterAndEscapeDoNothing) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  const HWND panel = program.Panel();
  const std::vector<std::string> before = Fields(program);
  program.ClickWindow(program.Item(kIdRepeat));
  ASSERT_TRUE(program.Idle());
  headless::press_key(VK_RETURN);
  headless::press_key(VK_ESCAPE);
  ASSERT_TRUE(program.Idle());
  EXPECT_TRUE(IsWindow(panel));
  EXPECT_TRUE(IsWindowVisible(panel));
  EXPECT_EQ(program.Panel(), panel);
  EXPECT_EQ(Fields(program), before);
  EXPECT_TRUE(program.TextsSet().empty());
}

// A main window without the panel (its creation failed): Run! beeps and reads or writes
// nothing, instead of handing a missing dialog to the drivers. The same for a window
// whose top child is something else.
TEST(RunWithoutPanel, BeepsAndDoesNothing) {
  HWND frame = CreateWindowExA(0, "Static", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(frame, nullptr);
  CWnd* pFrame = CWnd::FromHandle(frame);
  const BenchRunRecord before = LastRun;
  headless::clear_beeps();
  EXPECT_EQ(BLD_RunBenchMarksUDCFunc(pFrame), TRUE);
  EXPECT_EQ(headless::beeps(), std::vector<UINT>{0});

  HWND button = CreateWindowExA(0, "Button", "other", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, frame,
                                reinterpret_cast<HMENU>(1), nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(BLD_RunBenchMarksUDCFunc(pFrame), TRUE);
  EXPECT_EQ(headless::beeps(), (std::vector<UINT>{0, 0}));
  EXPECT_EQ(LastRun.threadCount, before.threadCount);
  EXPECT_STREQ(LastRun.dhrystone, before.dhrystone);
  DestroyWindow(frame);
  CWnd::DeleteTempMap();
}

}  // namespace
}  // namespace app_test
