// The program's other windows on a desktop: the About box above the main window, the
// drop-down menu where the moved menu bar is.
#include <gtest/gtest.h>

#include <algorithm>

#include "desktop_program.h"

namespace desktop_test {
namespace {

constexpr char kTitle[] = "TORVEX NT Benchmarks";
constexpr char kAbout[] = "About QUIRVEL";

TEST(DesktopWindows, AboutOpensAsASecondWindowAboveTheMainOneAndEscapeClosesIt) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  Picture reference = headless_screen("about");
  ASSERT_FALSE(reference.empty());
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  std::string main_id = program.wait_for_window(kTitle);
  ASSERT_FALSE(main_id.empty()) << program.describe();
  const Area help = layout.bar["Help"];
  program.click((help.left + help.right) / 2, (help.top + help.bottom) / 2);
  program.key("a");
  std::string about_id = program.wait_for_window(kAbout);
  ASSERT_FALSE(about_id.empty()) << DesktopProgram::keep(program.screen(), "about_missing");
  EXPECT_NE(about_id, main_id);
  // Where the box overlaps the main window it is the box that shows: the screen there is
  // the headless rendering of the same state.
  Area box = program.geometry(about_id);
  Picture shot = program.wait_for_area(box, reference.crop(box), std::chrono::seconds(10));
  EXPECT_EQ(shot.crop(box).differences(reference.crop(box)), 0u)
      << DesktopProgram::keep(shot, "about") << " " << DesktopProgram::keep(reference, "about_reference");
  program.key("Escape");
  EXPECT_TRUE(program.wait_until_gone(kAbout));
  EXPECT_FALSE(program.wait_for_window(kTitle).empty()) << "the main window stays";
}

TEST(DesktopWindows, DraggingTheCaptionMovesTheWindowAndTheProgramSeesWhereItWent) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  std::string id = program.wait_for_window(kTitle);
  ASSERT_FALSE(id.empty()) << program.describe();
  Area before = program.geometry(id);
  constexpr int kDx = 120, kDy = 90;
  int grab_x = before.left + before.width() / 2, grab_y = before.top + 12;
  program.drag(grab_x, grab_y, grab_x + kDx, grab_y + kDy);
  Area after = program.geometry(id);
  EXPECT_EQ(after.left, before.left + kDx) << DesktopProgram::keep(program.screen(), "moved");
  EXPECT_EQ(after.top, before.top + kDy);
  // The drop-down opens under the Help item where it is now, which the program knows only
  // if it learnt the move.
  const Area help = layout.bar["Help"];
  int help_left = help.left + (after.left - layout.frame.left), help_bottom = help.bottom + (after.top - layout.frame.top);
  program.click(help_left + 5, (help.top + help.bottom) / 2 + (after.top - layout.frame.top));
  Area popup{};
  for (int attempt = 0; attempt < 50 && popup.width() == 0; ++attempt) {
    for (const std::string& w : program.windows()) {
      Area a = program.geometry(w);
      if (w != id && a.width() > 0 && a.width() < after.width()) popup = a;
    }
  }
  Picture shot = program.screen();
  ASSERT_GT(popup.width(), 0) << "no drop-down " << DesktopProgram::keep(shot, "moved_menu");
  EXPECT_EQ(popup.left, help_left) << DesktopProgram::keep(shot, "moved_menu");
  EXPECT_EQ(popup.top, help_bottom);
}

}  // namespace
}  // namespace desktop_test
