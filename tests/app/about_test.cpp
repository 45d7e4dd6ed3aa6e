// Help/About: the box with its texts and the program icon drawn into the picture button,
// ended by OK, Enter, Escape or its close box, with nothing changed in the main window.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <functional>

#include "app/control_ids.h"
#include "genui/icon_pixels.h"
#include "program.h"

namespace app_test {
namespace {

constexpr int kHelpBarPosition = 2;
constexpr char kAboutCaption[] = "About QUIRVEL";
using icon_test::IconPixels;
using icon_test::kIconSize;

class About : public ::testing::Test {
 protected:
  // Opens the box from the menu with the mouse; the box, or null.
  HWND Open() {
    program.ClickPopupItem(kHelpBarPosition, 0);
    EXPECT_TRUE(program.Idle());
    return program.FindBox(kAboutCaption);
  }
  // Ends the box one way and checks that it is gone and the main window unchanged.
  void EndsWith(const std::function<void(HWND)>& end) {
    HWND box = Open();
    ASSERT_NE(box, nullptr);
    end(box);
    ASSERT_TRUE(program.Idle());
    EXPECT_FALSE(IsWindow(box));
    EXPECT_TRUE(IsWindowEnabled(program.Frame()));
    EXPECT_EQ(program.Text(kIdStatus), "Status: Not Running");
    EXPECT_EQ(program.Text(kIdDhrystoneResult), "-----");
  }

  TestDrives drives;
  Program program;
};

TEST_F(About, TextsAndTheIconInThePictureButton) {
  HWND box = Open();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(GetWindow(box, GW_OWNER), program.Frame());
  EXPECT_FALSE(IsWindowEnabled(program.Frame()));
  EXPECT_EQ(program.Text(GetDlgItem(box, IDOK)), "OK");
  EXPECT_EQ(program.Text(GetDlgItem(box, 100)), "TORVEX Windows NT Benchmark Application");
  EXPECT_FALSE(program.Text(GetDlgItem(box, 101)).empty());
  EXPECT_EQ(program.Text(GetDlgItem(box, 102)), "Prerelease Version");
  EXPECT_TRUE(headless::screenshot_window(box, ShotPath("torvex_about.png").c_str()));

  // The icon's opaque pixels sit at the picture button's top-left corner.
  HWND picture = GetDlgItem(box, kIdAboutPicture);
  ASSERT_NE(picture, nullptr);
  RECT at{};
  GetWindowRect(picture, &at);
  int width = 0, height = 0;
  const std::vector<COLORREF> screen = headless::screen_pixels(&width, &height);
  const std::vector<COLORREF> icon = IconPixels();
  int opaque = 0, matching = 0;
  for (int y = 0; y < kIconSize; ++y) {
    for (int x = 0; x < kIconSize; ++x) {
      const COLORREF want = icon[y * kIconSize + x];
      if (want == CLR_INVALID) continue;
      ++opaque;
      if (screen[(at.top + y) * width + at.left + x] == want) ++matching;
    }
  }
  EXPECT_GT(opaque, kIconSize * kIconSize / 2);
  EXPECT_EQ(matching, opaque);

  // A click on the picture does nothing: the box stays, the icon with it.
  program.ClickWindow(picture);
  ASSERT_TRUE(program.Idle());
  EXPECT_TRUE(IsWindow(box));
  headless::press_key(VK_RETURN);
  ASSERT_TRUE(program.Idle());
  EXPECT_FALSE(IsWindow(box));
}

// A menu command that reaches the box runs the same routine as the menu: Print beeps.
TEST_F(About, AMenuCommandReachingTheBoxRunsTheMenusRoutine) {
  HWND box = Open();
  ASSERT_NE(box, nullptr);
  headless::clear_beeps();
  SendMessageA(box, WM_COMMAND, 4002, 0);
  EXPECT_EQ(headless::beeps(), std::vector<UINT>{0});
  headless::press_key(VK_RETURN);
  ASSERT_TRUE(program.Idle());
  EXPECT_FALSE(IsWindow(box));
}

TEST_F(About, EndedByEnter) {
  EndsWith([](HWND) { headless::press_key(VK_RETURN); });
}

TEST_F(About, EndedByEscape) {
  EndsWith([](HWND) { headless::press_key(VK_ESCAPE); });
}

TEST_F(About, EndedByTheOkButton) {
  EndsWith([this](HWND box) { program.ClickWindow(GetDlgItem(box, IDOK)); });
}

TEST_F(About, EndedByTheCloseBox) {
  EndsWith([](HWND box) {
    RECT r{};
    GetWindowRect(box, &r);
    for (int y = r.top; y < r.top + 40; ++y) {
      for (int x = r.right - 1; x > r.right - 60; --x) {
        if (SendMessageA(box, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
          headless::click(x, y);
          return;
        }
      }
    }
    ADD_FAILURE() << "no close box";
  });
}

}  // namespace
}  // namespace app_test
