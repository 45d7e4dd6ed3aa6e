#include "test_windows.h"

namespace user_test {

const char kLoggingClass[] = "TestLoggingWindow";
const char kPlainClass[] = "TestPlainWindow";

namespace {
Override current_override;

LRESULT CALLBACK logging_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  log().add(message, kProc, hwnd);
  LRESULT result = 0;
  if (current_override && current_override(hwnd, message, wparam, lparam, &result)) return result;
  return DefWindowProcA(hwnd, message, wparam, lparam);
}
}  // namespace

MessageLog& log() {
  static MessageLog l;
  return l;
}

void set_override(Override fn) { current_override = std::move(fn); }

void register_test_classes() {
  static bool done = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = logging_proc;
    wc.lpszClassName = kLoggingClass;
    wc.cbWndExtra = 24;
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = kPlainClass;
    wc.cbWndExtra = 0;
    RegisterClassA(&wc);
    return true;
  }();
  (void)done;
}

HWND make_top_level(const char* cls, const char* title) {
  register_test_classes();
  return CreateWindowExA(0, cls, title, WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr, nullptr,
                         nullptr, nullptr);
}

HWND make_child(HWND parent, int id, const char* cls) {
  register_test_classes();
  return CreateWindowExA(0, cls, "child", WS_CHILD, 5, 5, 50, 20, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace user_test
