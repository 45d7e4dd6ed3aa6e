// The status line is seen to change during a run. A run holds the GUI thread and lets no
// paint message through until it ends, so the screen can only show each step because
// the control draws its text at once. The screen is read from the test's thread while
// the GUI thread is stopped right after a status text was set.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include "app/control_ids.h"
#include "program.h"

namespace app_test {
namespace {

// The status control's pixels on the screen as it is now.
std::vector<COLORREF> StatusPixels(HWND status) {
  RECT r{};
  GetWindowRect(status, &r);
  int width = 0, height = 0;
  const std::vector<COLORREF> screen = headless::screen_pixels(&width, &height);
  std::vector<COLORREF> pixels;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) pixels.push_back(screen[static_cast<size_t>(y) * width + x]);
  return pixels;
}

TEST(StatusView, EachStepIsOnTheScreenWhileTheRunHoldsTheGuiThread) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  program.TypeInto(kIdBlocks, "256");
  HWND status = program.Item(kIdStatus);
  const std::vector<COLORREF> before = StatusPixels(status);

  program.HoldStatusAt({"Running Whetstones", "Running Disk Benchmark"});
  RECT run{};
  GetMenuItemRect(program.Frame(), GetMenu(program.Frame()), 1, &run);
  headless::click((run.left + run.right) / 2, (run.top + run.bottom) / 2);
  std::vector<COLORREF> whetstones, disk;
  ASSERT_TRUE(program.WhileHeldAt("Running Whetstones", [&] {
    whetstones = StatusPixels(status);
    headless::screenshot_window(program.Frame(), ShotPath("torvex_during_run.png").c_str());
  }));
  ASSERT_TRUE(program.WhileHeldAt("Running Disk Benchmark", [&] { disk = StatusPixels(status); }));
  ASSERT_TRUE(program.Idle());
  const std::vector<COLORREF> complete = StatusPixels(status);
  EXPECT_NE(whetstones, before);
  EXPECT_NE(disk, whetstones);
  EXPECT_NE(complete, disk);

  // The held screen showed exactly that text: set again after the run, it looks the same.
  SetWindowTextA(status, "Running Whetstones");
  ASSERT_TRUE(program.Idle());
  EXPECT_EQ(StatusPixels(status), whetstones);
}

}  // namespace
}  // namespace app_test
