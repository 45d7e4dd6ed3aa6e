// The program on a desktop looks exactly like its headless pictures, and its close box
// ends it as on Windows.
#include <gtest/gtest.h>

#include "desktop_program.h"

namespace desktop_test {
namespace {

constexpr char kTitle[] = "TORVEX NT Benchmarks";

TEST(DesktopMainWindow, AppearsWithItsTitleAtTheHeadlessPlaceAndSizeShowingTheHeadlessPixels) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  Picture reference = headless_screen();
  ASSERT_FALSE(reference.empty());
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  std::string id = program.wait_for_window(kTitle);
  ASSERT_FALSE(id.empty()) << "no window titled " << kTitle << ": " << program.describe();
  Area at = program.geometry(id);
  EXPECT_EQ(at.left, layout.frame.left);
  EXPECT_EQ(at.top, layout.frame.top);
  EXPECT_EQ(at.width(), layout.frame.width());
  EXPECT_EQ(at.height(), layout.frame.height());
  Picture expected = reference.crop(layout.frame);
  Picture shot = program.wait_for_area(layout.frame, expected, std::chrono::seconds(10));
  EXPECT_EQ(shot.crop(layout.frame).differences(expected), 0u)
      << "desktop: " << DesktopProgram::keep(shot, "main") << " headless: " << DesktopProgram::keep(reference, "main_reference");
}

TEST(DesktopMainWindow, TheCloseBoxEndsTheProgramWithExitCode1) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  ASSERT_FALSE(program.wait_for_window(kTitle).empty()) << program.describe();
  // The close box sits at the caption's right end, inside the sizing frame.
  constexpr int kFrame = 4, kBoxHalf = 8, kCaptionMiddle = 9;
  program.click(layout.frame.right - kFrame - 2 - kBoxHalf, layout.frame.top + kFrame + kCaptionMiddle);
  EXPECT_EQ(program.wait_exit(std::chrono::seconds(20)), 1);
}

TEST(DesktopMainWindow, AtScaleTwoTheWindowIsTwiceTheSizeAndClicksLandOnTheSameControls) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  Picture reference = headless_screen();
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x, {{"TORVEX_SCALE", "2"}});
  std::string id = program.wait_for_window(kTitle);
  ASSERT_FALSE(id.empty()) << program.describe();
  Area at = program.geometry(id);
  EXPECT_EQ(at.width(), 2 * layout.frame.width());
  EXPECT_EQ(at.height(), 2 * layout.frame.height());
  // Every platform pixel is a 2 x 2 block: shrunk back, the window is the headless one.
  Area doubled{at.left, at.top, at.left + 2 * layout.frame.width(), at.top + 2 * layout.frame.height()};
  Picture expected = reference.crop(layout.frame);
  Picture shot;
  for (int attempt = 0; attempt < 100; ++attempt) {
    shot = program.screen();
    if (shot.crop(doubled).shrink(2) == expected) break;
  }
  EXPECT_EQ(shot.crop(doubled).shrink(2).differences(expected), 0u) << DesktopProgram::keep(shot, "scale2");
  // Help, then its About item by mnemonic: the click at the doubled place opened the menu.
  const Area help = layout.bar["Help"];
  int dx = at.left - 2 * layout.frame.left, dy = at.top - 2 * layout.frame.top;
  program.click(dx + help.left + help.right, dy + help.top + help.bottom);
  program.key("a");
  EXPECT_FALSE(program.wait_for_window("About QUIRVEL").empty()) << DesktopProgram::keep(program.screen(), "scale2_about");
}

TEST(DesktopMainWindow, MaximizedItFillsTheDesktopItRunsOn) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  XSession x("800x600");  // not the headless screen's size
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  std::string id = program.wait_for_window(kTitle);
  ASSERT_FALSE(id.empty()) << program.describe();
  // The maximize box is left of the close box.
  constexpr int kFrame = 4, kBox = 16, kBoxHalf = 8, kCaptionMiddle = 9;
  program.click(layout.frame.right - kFrame - 2 - kBox - kBoxHalf, layout.frame.top + kFrame + kCaptionMiddle);
  Area at{};
  for (int attempt = 0; attempt < 100 && at.width() != 800 + 2 * kFrame; ++attempt) at = program.geometry(id);
  EXPECT_EQ(at.width(), 800 + 2 * kFrame) << DesktopProgram::keep(program.screen(), "maximized");
  EXPECT_EQ(at.height(), 600 + 2 * kFrame);
  EXPECT_EQ(at.left, -kFrame);
}

// The window manager maximizes the window (as its own keys or menu would): the program
// takes the maximized state, so the box left of its close box is then the restore box,
// which puts the window back where it was and makes the manager let go.
TEST(DesktopMainWindow, AMaximizeByTheWindowManagerIsTheProgramsOwnAndItsRestoreBoxUndoesIt) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  XSession x("800x600");
  ASSERT_TRUE(x.ready()) << x.failure();
  DesktopProgram program(x);
  std::string id = program.wait_for_window(kTitle);
  ASSERT_FALSE(id.empty()) << program.describe();
  const Area before = program.geometry(id);
  run_tool({"wmctrl", "-i", "-r", id, "-b", "add,maximized_vert,maximized_horz"}, x.environment());
  Area at{};
  for (int attempt = 0; attempt < 100 && at.width() != 800; ++attempt) at = program.geometry(id);
  ASSERT_EQ(at.width(), 800) << DesktopProgram::keep(program.screen(), "wm_maximized");
  EXPECT_EQ(at.height(), 600);
  constexpr int kFrame = 4, kBox = 16, kBoxHalf = 8, kCaptionMiddle = 9;
  const Area frame_before = at;
  for (int attempt = 0; attempt < 100 && at.width() == frame_before.width(); ++attempt) {
    if (attempt % 20 == 0) program.click(at.right - kFrame - 2 - kBox - kBoxHalf, at.top + kFrame + kCaptionMiddle);
    at = program.geometry(id);
  }
  EXPECT_EQ(at.left, before.left) << DesktopProgram::keep(program.screen(), "wm_restored");
  EXPECT_EQ(at.top, before.top);
  EXPECT_EQ(at.width(), before.width()) << "a program that missed the maximize maximizes it again";
  EXPECT_EQ(at.height(), before.height());
  std::string state = run_tool({"xprop", "-id", id, "_NET_WM_STATE"}, x.environment());
  EXPECT_EQ(state.find("MAXIMIZED"), std::string::npos) << state;
}

}  // namespace
}  // namespace desktop_test
