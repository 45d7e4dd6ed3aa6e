// Message retrieval order, the quit request, filters and the no-remove peek.
#include <gtest/gtest.h>

#include <vector>

#include "test_windows.h"

using namespace user_test;

namespace {

class Queue : public ::testing::Test {
 protected:
  void SetUp() override {
    register_test_classes();
    log().clear();
    set_override(nullptr);
    drain();
  }
  static void drain() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
};

TEST_F(Queue, PostedMessagesComeOutInOrderAndQuitOnlyAfterThem) {
  HWND hwnd = make_top_level(kLoggingClass);
  log().clear();
  PostMessageA(hwnd, WM_USER + 1, 0, 0);
  PostQuitMessage(7);
  PostQuitMessage(9);  // one WM_QUIT; the last code wins
  PostMessageA(nullptr, WM_USER + 2, 0, 0);
  std::vector<UINT> order;
  MSG msg;
  BOOL got;
  while ((got = GetMessageA(&msg, nullptr, 0, 0)) > 0) {
    order.push_back(msg.message);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(got, FALSE);
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 9u);
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER + 1, WM_USER + 2}));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  // The posted message reached the procedure through DispatchMessageA, the thread
  // message (no window) reached nobody.
  EXPECT_TRUE(log().matches({{WM_USER + 1, kProc, hwnd}}));
  DestroyWindow(hwnd);
}

TEST_F(Queue, NoRemovePeekLeavesMessagesAndTheQuitRequest) {
  PostMessageA(nullptr, WM_USER, 1, 2);
  PostQuitMessage(3);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD));
  EXPECT_EQ(msg.wParam, 1u);
  EXPECT_EQ(msg.lParam, 2);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  // WM_QUIT comes whatever the filter says.
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
}

TEST_F(Queue, SentMessagesRunBeforePostedOnesAreSeen) {
  HWND hwnd = make_top_level(kLoggingClass);
  log().clear();
  PostMessageA(hwnd, WM_USER + 1, 0, 0);
  SendMessageA(hwnd, WM_USER + 2, 0, 0);  // same thread: runs at once
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_TRUE(log().matches({{WM_USER + 2, kProc}, {WM_USER + 1, kProc}}));
  DestroyWindow(hwnd);
}

TEST_F(Queue, FiltersPickByWindowFamilyAndMessageRange) {
  HWND a = make_top_level();
  HWND a_child = make_child(a, 1);
  HWND b = make_top_level();
  PostMessageA(b, WM_USER + 1, 0, 0);
  PostMessageA(a_child, WM_USER + 2, 0, 0);
  PostMessageA(nullptr, WM_USER + 3, 0, 0);
  PostMessageA(a, WM_TIMER + 0, 0, 0);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, a, 0, 0, PM_REMOVE));  // the window or its children
  EXPECT_EQ(msg.hwnd, a_child);
  ASSERT_TRUE(PeekMessageA(&msg, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE));  // thread messages
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 3));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, a);
  EXPECT_FALSE(PeekMessageA(&msg, a, 0, 0, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, b);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(Queue, BadHandlesAndDeadWindowsFailTheWin32Way) {
  HWND hwnd = make_top_level();
  PostMessageA(hwnd, WM_USER, 0, 0);
  DestroyWindow(hwnd);
  MSG msg;
  // Messages for a destroyed window are gone with it.
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  SetLastError(0);
  EXPECT_EQ(GetMessageA(&msg, hwnd, 0, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessageA(hwnd, WM_USER, 0, 0));
  EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_EQ(GetMessageA(nullptr, nullptr, 0, 0), -1);
  EXPECT_FALSE(PostThreadMessageA(0xFFFFFFF0u, WM_USER, 0, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_THREAD_ID));
  msg = MSG{};
  msg.hwnd = hwnd;
  msg.message = WM_USER;
  EXPECT_EQ(DispatchMessageA(&msg), 0);
  EXPECT_EQ(DispatchMessageA(nullptr), 0);
}

TEST_F(Queue, RetrievedMessagesSetTheMessageTimeAndPosition) {
  PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  EXPECT_EQ(GetMessageTime(), static_cast<LONG>(msg.time));
  EXPECT_EQ(GetMessagePos(), static_cast<DWORD>(MAKELONG(msg.pt.x, msg.pt.y)));
}

TEST_F(Queue, WaitMessageReturnsOnceSomethingIsQueued) {
  PostMessageA(nullptr, WM_USER, 0, 0);
  EXPECT_TRUE(WaitMessage());
  EXPECT_NE(GetQueueStatus(QS_POSTMESSAGE), 0u);
}

}  // namespace

namespace {

int timer_callbacks = 0;
void CALLBACK count_timer(HWND, UINT, UINT_PTR, DWORD) { ++timer_callbacks; }

TEST_F(Queue, TimersComeLastAndOnlyOneIsPendingAtATime) {
  HWND hwnd = CreateWindowExA(0, kLoggingClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, nullptr,
                              nullptr, nullptr);
  pump();
  log().clear();
  ASSERT_EQ(SetTimer(hwnd, 5, 0, nullptr), 5u);
  // Wait for the timer to come due, without dispatching anything yet.
  MSG msg;
  ASSERT_TRUE(GetMessageA(&msg, hwnd, WM_TIMER, WM_TIMER));
  EXPECT_EQ(msg.wParam, 5u);
  PostMessageA(hwnd, WM_USER, 0, 0);
  InvalidateRect(hwnd, nullptr, FALSE);
  Sleep(30);  // the timer is due again, several intervals over
  std::vector<UINT> order;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    order.push_back(msg.message);
    DispatchMessageA(&msg);
  }
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_PAINT, WM_TIMER}));
  EXPECT_TRUE(KillTimer(hwnd, 5));
  EXPECT_FALSE(KillTimer(hwnd, 5));
  UINT_PTR thread_timer = SetTimer(nullptr, 0, 10, count_timer);
  ASSERT_NE(thread_timer, 0u);
  ASSERT_TRUE(GetMessageA(&msg, nullptr, 0, 0));
  DispatchMessageA(&msg);
  EXPECT_EQ(timer_callbacks, 1);
  KillTimer(nullptr, thread_timer);
  SetTimer(hwnd, 6, 10, nullptr);
  DestroyWindow(hwnd);  // its timers go with it
  Sleep(20);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

}  // namespace
