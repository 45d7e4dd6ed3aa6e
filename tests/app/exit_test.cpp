// Ending the program: File/Exit from the keyboard, and the close box with the mouse. Both
// end WinMain with exit code 1. Exit only ends the message loop (the windows go with the
// process, as on Windows); the close box destroys the main window and its panel first.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include "genui/application.h"
#include "program.h"

namespace app_test {
namespace {

// The screen point of the frame's close box, found as the window system reports it.
POINT CloseBox(HWND frame) {
  RECT r{};
  GetWindowRect(frame, &r);
  for (int y = r.top; y < r.top + 40; ++y) {
    for (int x = r.right - 1; x > r.right - 60; --x) {
      if (SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) return POINT{x, y};
    }
  }
  ADD_FAILURE() << "no close box";
  return POINT{0, 0};
}

void ExpectEverythingGone(HWND frame, HWND panel) {
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_FALSE(IsWindow(panel));
  // The objects deleted themselves with their windows, and nothing points at them.
  EXPECT_EQ(TheApp.pMainWnd, nullptr);
  EXPECT_EQ(TheApp.pMainFrame, nullptr);
  EXPECT_EQ(TheApp.pClientDlg, nullptr);
}

TEST(Exit, FileExitFromTheKeyboardEndsWithCodeOne) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  headless::key(VK_MENU, true);
  headless::press_key('F');
  headless::key(VK_MENU, false);
  ASSERT_TRUE(program.Idle());
  headless::press_key('X');
  EXPECT_EQ(program.Join(), 1);
}

TEST(Exit, CloseBoxEndsWithCodeOne) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  const HWND frame = program.Frame();
  const HWND panel = program.Panel();
  const POINT close = CloseBox(frame);
  headless::click(close.x, close.y);
  EXPECT_EQ(program.Join(), 1);
  ExpectEverythingGone(frame, panel);
}

}  // namespace
}  // namespace app_test
