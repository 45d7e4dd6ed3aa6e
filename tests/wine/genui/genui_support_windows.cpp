// genui_support.h for the Windows build: the same helpers through Win32 alone. A real
// message box is answered with its OK command (what Enter picks on a box with one
// button), and the test resources are compiled into the program (test_resources.rc)
// instead of registered at run time.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "framework/winapp.h"
#include "genui/application.h"
#include "genui_support.h"

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
      answer.shown = true;
      answer.text = TextOf(GetDlgItem(box, kBoxTextId));
      answer.caption = TextOf(box);
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
      break;
    }
    std::this_thread::sleep_for(kWaitPause);
  }
  caller.join();
  answer.result = result;
  return answer;
}

void RegisterTestResources() {}

}  // namespace genui_test
