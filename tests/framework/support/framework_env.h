// Shared by the window and application tests: the framework started as WinMain would
// start it (instance handle, fixed window classes), a plain window class without any
// framework object, and a message pump that leaves WM_QUIT in the queue.
#pragma once

#include "framework/winapp.h"
#include "framework/window.h"

#include <win32.h>

namespace fw_test {

constexpr char kPlainClass[] = "FwTestPlain";

// Registers the framework's fixed classes once per process; later calls pass a previous
// instance so AfxWinInit does not register them again. Needs a current application.
inline void StartFramework() {
  static bool registered = false;
  static char commandLine[] = "";
  HINSTANCE instance = GetModuleHandleA(nullptr);
  AfxWinInit(instance, registered ? instance : nullptr, commandLine, SW_SHOWNORMAL);
  if (!registered) {
    WNDCLASSA plain{};
    plain.lpfnWndProc = DefWindowProcA;
    plain.hInstance = instance;
    plain.lpszClassName = kPlainClass;
    RegisterClassA(&plain);
  }
  registered = true;
}

// Handles everything queued except WM_QUIT, which stays for the caller to find.
inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (msg.message == WM_QUIT) return;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Removes a pending WM_QUIT; its exit code, or -1 when none was posted.
inline int TakeQuit() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return static_cast<int>(msg.wParam);
  return -1;
}

inline HWND CreatePlainWindow(HWND parent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW, int id = 0) {
  return CreateWindowExA(0, kPlainClass, "plain", style, 10, 10, 200, 120, parent,
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), GetModuleHandleA(nullptr),
                         nullptr);
}

}  // namespace fw_test
