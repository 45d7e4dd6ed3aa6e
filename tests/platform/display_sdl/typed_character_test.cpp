// A desktop keyboard layout's own characters reach the program: TranslateMessage turns a
// key down into the character the layout typed, not the US one.
#include <gtest/gtest.h>

#include <vector>

#include "user/input.h"

namespace {

std::vector<MSG> chars;

LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CHAR || message == WM_SYSCHAR) {
    MSG m{};
    m.message = message;
    m.wParam = wparam;
    chars.push_back(m);
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

class TypedCharacter : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.lpszClassName = "TypedCharacterTest";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, "TypedCharacterTest", "typed", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                            nullptr, nullptr, nullptr, nullptr);
    SetFocus(hwnd_);
    pump();
    chars.clear();
  }
  void TearDown() override { DestroyWindow(hwnd_); }
  void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  void press(UINT vk, int typed) {
    win32::user::input_key(vk, true, typed);
    win32::user::input_key(vk, false);
    pump();
  }
  HWND hwnd_ = nullptr;
};

TEST_F(TypedCharacter, TheLayoutsCharacterWinsOverTheUsOne) {
  press('2', '"');  // a German Shift+2
  press('A', 'q');  // a French layout's key where the US A is
  press(VK_OEM_1, static_cast<unsigned char>('\xFC'));  // u umlaut
  ASSERT_EQ(chars.size(), 3u);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('"'));
  EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('q'));
  EXPECT_EQ(chars[2].wParam, 0xFCu);
}

TEST_F(TypedCharacter, UnknownLayoutCharacterFallsBackToTheKeyAndACharacterWithoutAnsiFormTypesNothing) {
  press('B', -1);
  press(VK_RETURN, -1);
  press('D', 0);  // a Cyrillic letter the ANSI code page cannot show
  ASSERT_EQ(chars.size(), 2u);
  EXPECT_EQ(chars[0].wParam, static_cast<WPARAM>('b'));
  EXPECT_EQ(chars[1].wParam, static_cast<WPARAM>('\r'));
}

}  // namespace
