// Activation follows the desktop's focus: another program in front turns the caption
// inactive, a click back makes it active again.
#include <gtest/gtest.h>

#include <thread>

#include "desktop_program.h"

namespace desktop_test {
namespace {

constexpr char kTitle[] = "TORVEX NT Benchmarks";

TEST(DesktopActivation, AnotherProgramInFrontTurnsTheCaptionInactiveAndAClickBackActivatesIt) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  Picture reference = headless_screen();
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  ASSERT_FALSE(program.wait_for_window(kTitle).empty()) << program.describe();
  // A stretch of caption right of the title text: the active caption colour in the
  // headless picture, where the program is the active one.
  const Area caption{layout.frame.right - 70, layout.frame.top + 8, layout.frame.right - 60, layout.frame.top + 12};
  const Picture active = reference.crop(caption);
  ASSERT_FALSE(program.wait_for_area(caption, active, std::chrono::seconds(10)).crop(caption) == Picture());

  // Another program's window, away from ours, takes the focus.
  ChildProcess other({"xmessage", "-geometry", "+600+500", "another program"}, x.environment());
  ASSERT_FALSE(program.wait_for_window("xmessage").empty());
  program.click(650, 510);
  Picture shot;
  for (int attempt = 0; attempt < 100; ++attempt) {
    shot = program.screen();
    if (!(shot.crop(caption) == active)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  EXPECT_FALSE(shot.crop(caption) == active) << "caption still active " << DesktopProgram::keep(shot, "deactivated");

  // A click on the status text brings the program back in front, active.
  const Area status = layout.fields.at(10007);
  program.click(status.left + 5, (status.top + status.bottom) / 2);
  shot = program.wait_for_area(caption, active, std::chrono::seconds(10));
  EXPECT_EQ(shot.crop(caption).differences(active), 0u) << DesktopProgram::keep(shot, "reactivated");
}

}  // namespace
}  // namespace desktop_test
