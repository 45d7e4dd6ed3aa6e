// Activation follows the desktop's focus: another program in front turns the caption
// inactive, a click back makes it active again.
#include <gtest/gtest.h>

#include <thread>
#include <utility>

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

// With the About box up the main window is disabled. When the desktop gives it the focus
// (a click on it after another program was in front), the box comes back in front with
// the focus instead, as on Windows, so Escape still closes it.
TEST(DesktopActivation, TheDisabledOwnerOfAModalBoxHandsTheFocusToTheBox) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  ASSERT_FALSE(program.wait_for_window(kTitle).empty()) << program.describe();
  const Area help = layout.bar["Help"];
  program.click((help.left + help.right) / 2, (help.top + help.bottom) / 2);
  program.key("a");
  const std::string about = program.wait_for_window("About QUIRVEL");
  ASSERT_FALSE(about.empty()) << DesktopProgram::keep(program.screen(), "modal_about");
  const Area box = program.geometry(about);

  ChildProcess other({"xmessage", "-geometry", "+600+500", "another program"}, x.environment());
  ASSERT_FALSE(program.wait_for_window("xmessage").empty());
  program.click(650, 510);
  auto active = [&] { return run_tool({"xdotool", "getactivewindow"}, x.environment()); };
  for (int attempt = 0; attempt < 100 && active().find(about) != std::string::npos; ++attempt) {
  }
  ASSERT_EQ(active().find(about), std::string::npos) << "the other program did not take the focus";

  // A point of the main window that the box does not cover.
  std::pair<int, int> on_main{-1, -1};
  for (const Area& a : {layout.fields.at(10007), layout.bar["File"], layout.frame}) {
    for (auto [x, y] : {std::pair{a.left + 3, a.bottom - 3}, std::pair{a.left + 3, a.top + 3}})
      if (on_main.first < 0 && !(x >= box.left && x < box.right && y >= box.top && y < box.bottom)) on_main = {x, y};
  }
  ASSERT_GE(on_main.first, 0) << "the box covers the whole main window";
  program.click(on_main.first, on_main.second);
  std::string now;
  for (int attempt = 0; attempt < 100 && now.find(about) == std::string::npos; ++attempt) now = active();
  EXPECT_NE(now.find(about), std::string::npos) << "active: " << now << DesktopProgram::keep(program.screen(), "modal_owner");
  program.key("Escape");
  EXPECT_TRUE(program.wait_until_gone("About QUIRVEL")) << DesktopProgram::keep(program.screen(), "modal_escape");
}

}  // namespace
}  // namespace desktop_test
