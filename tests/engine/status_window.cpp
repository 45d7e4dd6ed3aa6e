#include "status_window.h"

#include <atomic>

namespace {

constexpr int kStatusId = 10007;
std::atomic<DWORD> lastSetTextThread{0};
std::atomic<int> setTextCount{0};

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT) {
    lastSetTextThread = GetCurrentThreadId();
    ++setTextCount;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA frame{};
  frame.lpfnWndProc = DefWindowProcA;
  frame.lpszClassName = "EngineTestDialog";
  RegisterClassA(&frame);
  WNDCLASSA status{};
  status.lpfnWndProc = StatusProc;
  status.lpszClassName = "EngineTestStatus";
  RegisterClassA(&status);
  registered = true;
}

}  // namespace

StatusWindow::StatusWindow() {
  RegisterClasses();
  dialogObject_.hWnd = CreateWindowExA(0, "EngineTestDialog", "Engine test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 200,
                                       NULL, NULL, NULL, NULL);
  status_ = CreateWindowExA(0, "EngineTestStatus", "Status: Not Running", WS_CHILD | WS_VISIBLE, 10, 10, 380, 20,
                            dialogObject_.hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusId)), NULL, NULL);
  lastSetTextThread = 0;
  setTextCount = 0;
}

StatusWindow::~StatusWindow() {
  DestroyWindow(dialogObject_.hWnd);
  dialogObject_.hWnd = NULL;
}

std::string StatusWindow::StatusText() const {
  char text[256] = {};
  GetDlgItemTextA(dialogObject_.hWnd, kStatusId, text, sizeof text);
  return text;
}

DWORD StatusWindow::LastSetTextThread() const { return lastSetTextThread; }
int StatusWindow::SetTextCount() const { return setTextCount; }
