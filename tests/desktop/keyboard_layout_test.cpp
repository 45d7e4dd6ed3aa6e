// A non-US keyboard layout types the characters it shows. On a French layout the digits
// need Shift and the unshifted keys of that row type accented letters and signs; the
// program must take the layout's characters, not what a US keyboard gives for the keys.
#include <gtest/gtest.h>

#include "app/control_ids.h"
#include "desktop_program.h"

namespace desktop_test {
namespace {

constexpr char kTitle[] = "TORVEX NT Benchmarks";

// The Repeat field of a fresh program after typing `first`, and after typing `then` too.
std::pair<Picture, Picture> typed_in_repeat(const XSession& x, const Layout& layout, const std::string& first,
                                            const std::string& then) {
  DesktopProgram program(x);
  std::string id = program.wait_for_window(kTitle);
  if (id.empty()) return {};
  const Area repeat = layout.fields.at(kIdRepeat);
  program.click((repeat.left + repeat.right) / 2, (repeat.top + repeat.bottom) / 2);
  program.key("End");
  program.key("shift+Home");
  const Picture empty = program.screen().crop(repeat);
  auto type = [&](const std::string& text) {
    run_tool({"xdotool", "type", "--delay", "60", text}, x.environment());
    // Until the field shows something new and holds still.
    Picture last = empty, shot;
    for (int attempt = 0; attempt < 50; ++attempt) {
      shot = program.screen().crop(repeat);
      if (shot == last && !(shot == empty)) break;
      last = shot;
    }
    return shot;
  };
  Picture a = type(first);
  Picture b = type(then);
  return {a, b};
}

TEST(DesktopKeyboard, AFrenchLayoutTypesItsOwnCharacters) {
  Layout layout = headless_layout();
  ASSERT_TRUE(layout.valid());
  ASSERT_TRUE(layout.fields.count(kIdRepeat));
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  int status = -1;
  run_tool({"setxkbmap", "-layout", "us"}, x.environment(), std::chrono::seconds(20), &status);
  ASSERT_EQ(status, 0) << "setxkbmap (x11-xkb-utils) cannot set a layout";
  auto [us_42, us_422] = typed_in_repeat(x, layout, "42", "2");
  ASSERT_FALSE(us_42.empty());

  run_tool({"setxkbmap", "-layout", "fr"}, x.environment(), std::chrono::seconds(20), &status);
  ASSERT_EQ(status, 0);
  // xdotool presses the keys the French layout has for these characters: Shift with the
  // number row for the digits, the unshifted "2" key for the e acute.
  auto [fr_42, fr_42e] = typed_in_repeat(x, layout, "42", "\xc3\xa9");
  EXPECT_EQ(fr_42.differences(us_42), 0u) << "digits typed on the French layout "
                                          << DesktopProgram::keep(fr_42, "layout_fr_42") << " "
                                          << DesktopProgram::keep(us_42, "layout_us_42");
  EXPECT_FALSE(fr_42e == fr_42) << "the e acute typed nothing " << DesktopProgram::keep(fr_42e, "layout_fr_e");
  EXPECT_FALSE(fr_42e == us_422) << "the key typed what it types on a US layout";
}

}  // namespace
}  // namespace desktop_test
