// Driving a GUI thread from outside, as end-to-end tests drive the program: input is
// injected from the test thread, and wait_idle returns once the GUI thread has handled
// everything and waits for more.
#include <gtest/gtest.h>
#include <win32.h>
#include <win32_headless.h>

#include <atomic>
#include <thread>

namespace {

std::atomic<int> clicks{0};
std::atomic<int> characters{0};

LRESULT CALLBACK counting_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_LBUTTONUP) clicks++;
  if (message == WM_CHAR) characters++;
  if (message == WM_DESTROY) PostQuitMessage(3);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST(Idle, InputFromAnotherThreadIsHandledBeforeTheThreadGoesIdle) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = counting_proc;
  wc.lpszClassName = "TestIdleCounting";
  ASSERT_NE(RegisterClassA(&wc), 0);
  std::atomic<HWND> window{nullptr};
  std::atomic<int> exit_code{-1};
  std::thread gui([&] {
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "idle", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 500, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
    window = hwnd;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    exit_code = static_cast<int>(msg.wParam);
  });
  while (!window.load()) std::this_thread::yield();
  ASSERT_TRUE(headless::wait_idle(window));
  for (int i = 0; i < 5; ++i) headless::click(600, 560);
  headless::type_text("abc");
  ASSERT_TRUE(headless::wait_idle(window));
  EXPECT_EQ(clicks.load(), 5);
  EXPECT_EQ(characters.load(), 3);
  PostMessageA(window, WM_CLOSE, 0, 0);
  gui.join();
  EXPECT_EQ(exit_code.load(), 3);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(headless::wait_idle(window, 10));  // a dead window has no thread to wait for
}

}  // namespace
