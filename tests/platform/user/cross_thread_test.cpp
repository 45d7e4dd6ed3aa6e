// Sending between threads: the sender blocks until the owner services the call inside
// its message retrieval (PeekMessageA with PM_NOREMOVE included), a destroyed window or
// an ended thread releases blocked senders, and two threads sending to each other do
// not deadlock. No test depends on timing beyond generous waits for hand-offs.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "test_windows.h"

using namespace user_test;

namespace {

constexpr auto kGenerousWait = std::chrono::seconds(20);

template <typename Pred>
bool wait_until(Pred pred) {
  auto deadline = std::chrono::steady_clock::now() + kGenerousWait;
  while (!pred()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool send_waiting() { return (HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE) != 0; }

constexpr int kStatusId = 10007;

class CrossThread : public ::testing::Test {
 protected:
  void SetUp() override {
    register_test_classes();
    log().clear();
    set_override(nullptr);
  }
  void TearDown() override { set_override(nullptr); }
};

TEST_F(CrossThread, WorkerTextWriteWaitsForTheOwnersNoRemovePeek) {
  HWND dialog = make_top_level();
  HWND status = make_child(dialog, kStatusId);
  PostMessageA(dialog, WM_USER + 5, 0, 0);
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    SetDlgItemTextA(dialog, kStatusId, "  DR Dhrystone     1.23 secs\n");
    returned = true;
  });
  ASSERT_TRUE(wait_until(send_waiting));
  // Nothing on this thread has looked at its messages yet, so the worker still waits.
  EXPECT_FALSE(returned.load());
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));  // the posted message stays queued
  worker.join();
  EXPECT_TRUE(returned.load());
  char text[64];
  GetWindowTextA(status, text, sizeof text);
  EXPECT_STREQ(text, "  DR Dhrystone     1.23 secs\n");
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER + 5));
  DestroyWindow(dialog);
}

TEST_F(CrossThread, DestroyingTheWindowReleasesABlockedSenderWithZero) {
  HWND hwnd = make_top_level(kLoggingClass);
  set_override([](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_USER) return false;
    *result = 5;
    return true;
  });
  std::atomic<LRESULT> result{-1};
  std::thread worker([&] { result = SendMessageA(hwnd, WM_USER, 0, 0); });
  ASSERT_TRUE(wait_until(send_waiting));
  log().clear();
  EXPECT_TRUE(DestroyWindow(hwnd));
  worker.join();
  EXPECT_EQ(result.load(), 0);
  EXPECT_TRUE(log().matches({{WM_DESTROY, kProc}, {WM_NCDESTROY, kProc}}));
}

TEST_F(CrossThread, AnEndingThreadTakesItsWindowsAndReleasesSenders) {
  std::atomic<HWND> hwnd{nullptr};
  std::thread owner([&] {
    hwnd = make_top_level();
    // Ends without ever looking at its messages once a call is waiting.
    wait_until(send_waiting);
  });
  ASSERT_TRUE(wait_until([&] { return hwnd.load() != nullptr; }));
  EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0), 0);
  owner.join();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(CrossThread, ThreadsSendingToEachOtherDoNotDeadlock) {
  HWND mine = make_top_level(kLoggingClass);
  set_override([](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (message != WM_USER + 1) return false;
    *result = 41;
    return true;
  });
  std::atomic<DWORD> worker_id{0};
  std::atomic<HWND> theirs{nullptr};
  std::atomic<bool> in_send{false};
  std::thread worker([&] {
    static HWND reply_to;
    static std::atomic<bool>* saw_in_send;
    reply_to = mine;
    saw_in_send = &in_send;
    WNDCLASSA wc{};
    wc.lpszClassName = "TestBouncingWindow";
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m != WM_USER) return DefWindowProcA(h, m, w, l);
      *saw_in_send = InSendMessage() != FALSE;
      return SendMessageA(reply_to, WM_USER + 1, 0, 0) + 1;
    };
    RegisterClassA(&wc);
    theirs = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    worker_id = GetCurrentThreadId();
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(theirs);
  });
  ASSERT_TRUE(wait_until([&] { return worker_id.load() != 0; }));
  EXPECT_EQ(SendMessageA(theirs, WM_USER, 0, 0), 42);
  EXPECT_TRUE(in_send.load());
  EXPECT_FALSE(InSendMessage());
  // Another thread's window may be neither destroyed nor subclassed from here.
  EXPECT_FALSE(DestroyWindow(theirs));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(SetWindowLongPtrA(theirs, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcA)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(PostThreadMessageA(worker_id, WM_QUIT, 0, 0));
  worker.join();
  EXPECT_FALSE(IsWindow(theirs));
  DestroyWindow(mine);
}

TEST_F(CrossThread, SendTimeoutGivesUpButTheCallStillRunsLater) {
  HWND hwnd = make_top_level(kLoggingClass);
  std::atomic<LRESULT> sent{-1};
  std::atomic<DWORD> error{0};
  std::thread worker([&] {
    DWORD_PTR result = 0;
    sent = SendMessageTimeoutA(hwnd, WM_USER + 9, 0, 0, SMTO_NORMAL, 20, &result);
    error = GetLastError();
  });
  worker.join();
  EXPECT_EQ(sent.load(), 0);
  EXPECT_EQ(error.load(), static_cast<DWORD>(ERROR_TIMEOUT));
  log().clear();
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  EXPECT_TRUE(log().matches({{WM_USER + 9, kProc}}));
  DestroyWindow(hwnd);
}

TEST_F(CrossThread, ManyWorkersWritingTheStatusLineAllGetThrough) {
  constexpr int kWorkers = 8;
  constexpr int kWritesEach = 100;
  HWND dialog = make_top_level();
  HWND status = make_child(dialog, kStatusId);
  std::atomic<int> finished{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < kWorkers; ++i) {
    workers.emplace_back([&, i] {
      char line[32];
      for (int n = 0; n < kWritesEach; ++n) {
        std::snprintf(line, sizeof line, "worker %d write %d", i, n);
        SetDlgItemTextA(dialog, kStatusId, line);
      }
      finished++;
    });
  }
  MSG msg;
  while (finished.load() < kWorkers) {
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    std::this_thread::yield();
  }
  for (auto& t : workers) t.join();
  char text[32];
  GetWindowTextA(status, text, sizeof text);
  EXPECT_EQ(std::strncmp(text, "worker ", 7), 0);
  EXPECT_NE(std::strstr(text, "write 99"), nullptr);
  DestroyWindow(dialog);
}

}  // namespace
