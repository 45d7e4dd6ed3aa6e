// A message posted from another thread while the owner is inside its own retrieval
// (painting a window frame on the way) must still end the owner's wait.
#include <win32.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

constexpr UINT kFromWorker = WM_USER + 1;
std::atomic<int> frame_paints{0};
std::atomic<bool> watchdog_fired{false};

LRESULT CALLBACK PostingFrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCPAINT && frame_paints++ == 0) {
    // The post completes while the owner is between its queue checks.
    std::thread([hwnd] { PostMessageA(hwnd, kFromWorker, 0, 0); }).join();
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(LostWakeup, PostDuringFramePaintEndsTheWait) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = PostingFrameProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "TorvexLostWakeup";
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND hwnd = CreateWindowExA(0, "TorvexLostWakeup", "wake", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                              nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  ValidateRect(hwnd, nullptr);
  frame_paints = 0;
  RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOERASE);
  ValidateRect(hwnd, nullptr);  // only the frame is left to paint

  // Should the wake-up be lost, a second post after a generous pause ends the wait and
  // says so, instead of hanging the test.
  std::mutex m;
  std::condition_variable cv;
  bool done = false;
  std::thread watchdog([&] {
    std::unique_lock lock(m);
    if (!cv.wait_for(lock, std::chrono::seconds(20), [&] { return done; })) {
      watchdog_fired = true;
      PostMessageA(hwnd, kFromWorker, 1, 0);
    }
  });
  // No filter: the retrieval itself must come to the frame and paint it.
  BOOL got = GetMessageA(&msg, nullptr, 0, 0);
  {
    std::lock_guard lock(m);
    done = true;
  }
  cv.notify_all();
  watchdog.join();
  EXPECT_EQ(got, TRUE);
  EXPECT_EQ(msg.message, kFromWorker);
  EXPECT_GE(frame_paints.load(), 1);
  EXPECT_FALSE(watchdog_fired.load()) << "the posted message did not wake the retrieval";
  DestroyWindow(hwnd);
}

}  // namespace
