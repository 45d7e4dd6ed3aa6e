// A run started with a click on "Run!" on the desktop: the status line visibly moves on
// while the GUI thread is inside the drivers, and the run ends as the headless one does.
#include <gtest/gtest.h>

#include <future>
#include <set>

#include "app/control_ids.h"
#include "desktop_program.h"

namespace desktop_test {
namespace {

constexpr char kTitle[] = "TORVEX NT Benchmarks";
constexpr auto kRunLimit = std::chrono::minutes(4);
constexpr auto kWindowLimit = std::chrono::seconds(60);

TEST(DesktopRun, TheStatusMovesOnDuringTheRunAndEndsAsTheHeadlessRunDoes) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  ASSERT_TRUE(layout.fields.count(kIdStatus));
  // The headless run for comparison goes on meanwhile.
  auto finished = std::async(std::launch::async, [] { return headless_screen("run"); });
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  std::string id = program.wait_for_window(kTitle, kWindowLimit);
  ASSERT_FALSE(id.empty()) << program.describe();
  Picture before = program.wait_for_area(layout.frame, headless_screen().crop(layout.frame), std::chrono::seconds(10));
  // The status line in the window's own coordinates.
  Area status = layout.fields[kIdStatus];
  status = Area{status.left - layout.frame.left, status.top - layout.frame.top, status.right - layout.frame.left,
                status.bottom - layout.frame.top};
  // Four repeats make the run long enough for a sampler as slow as xwd; typing them also
  // shows that typed keys reach the field.
  ASSERT_TRUE(layout.fields.count(kIdRepeat));
  const Area repeat = layout.fields[kIdRepeat];
  program.click((repeat.left + repeat.right) / 2, (repeat.top + repeat.bottom) / 2);
  program.key("End");
  program.key("shift+Home");
  program.key("4");
  const Area run = layout.bar["Run!"];
  program.click((run.left + run.right) / 2, (run.top + run.bottom) / 2);

  Picture reference = finished.get();
  ASSERT_FALSE(reference.empty());
  const Picture complete = reference.crop(layout.fields[kIdStatus]);
  const Picture idle = before.crop(layout.fields[kIdStatus]);
  std::vector<Picture> seen;
  Picture shot;
  auto deadline = std::chrono::steady_clock::now() + kRunLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    Picture now = program.window_picture(id).crop(status);
    if (seen.empty() || !(seen.back() == now)) seen.push_back(now);
    if (now == complete) break;
  }
  shot = program.screen();
  EXPECT_EQ(shot.crop(layout.fields[kIdStatus]).differences(complete), 0u)
      << DesktopProgram::keep(shot, "run_end") << " " << DesktopProgram::keep(reference, "run_reference");
  // "Running Dhrystones", driver lines, "Running Whetstones", ... shown in turn while the
  // GUI thread is busy: a sampler as slow as xwd still catches several of them.
  size_t steps = 0;
  for (const Picture& p : seen) steps += !(p == idle) && !(p == complete);
  EXPECT_GE(steps, 2u) << "status pictures seen during the run";
  for (int id : {kIdDhrystoneResult, kIdWhetstoneResult, kIdDiskResult}) {
    ASSERT_TRUE(layout.fields.count(id));
    EXPECT_FALSE(shot.crop(layout.fields[id]) == before.crop(layout.fields[id])) << "result field " << id << " filled";
  }
}

}  // namespace
}  // namespace desktop_test
