// The generated layer's test helpers, the same in both builds; box_answer.h is where
// the displays differ.
#include "genui_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "box_answer.h"
#include "framework/winapp.h"
#include "genui/application.h"

namespace genui_test {
namespace {

constexpr int kBoxTextId = 0xFFFF;
constexpr int kWaitAttempts = 2000;
constexpr auto kWaitPause = std::chrono::milliseconds(5);

std::string TextOf(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

}  // namespace

void StartFramework() {
  ASSERT_EQ(AfxGetApp(), &TheApp);
  static char commandLine[] = "";
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA existing;
  const bool registered = GetClassInfoA(instance, "AfxWnd", &existing) != 0;
  AfxWinInit(instance, registered ? instance : nullptr, commandLine, SW_SHOWNORMAL);
}

BoxAnswer AnswerBox(const std::function<int()>& call) {
  BoxAnswer answer;
  std::atomic<bool> done{false};
  std::atomic<DWORD> thread{0};
  int result = -2;
  std::thread caller([&] {
    thread = GetCurrentThreadId();
    result = call();
    done = true;
  });
  for (int attempt = 0; attempt < kWaitAttempts && !done; ++attempt) {
    HWND box = FindWindowA("#32770", "TORVEX NT Benchmarks");
    if (box != nullptr && GetWindowThreadProcessId(box, nullptr) == thread && IsWindowVisible(box)) {
      WaitUntilBoxTakesInput(box);
      answer.shown = true;
      answer.text = TextOf(GetDlgItem(box, kBoxTextId));
      answer.caption = TextOf(box);
      ChooseDefaultButton(box);
      break;
    }
    std::this_thread::sleep_for(kWaitPause);
  }
  caller.join();
  answer.result = result;
  return answer;
}

}  // namespace genui_test
