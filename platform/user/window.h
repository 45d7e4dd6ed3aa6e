// A window as the window manager keeps it. Windows are owned by the window table
// (window_tree.h); everything else refers to them by handle, so a destroyed window's
// handle finds nothing. Every field is guarded by the user lock.
#pragma once

#include <win32.h>

#include <memory>
#include <string>
#include <vector>

#include "class_registry.h"

namespace win32::user {

enum class WindowLife {
  Creating,    // between the table entry and CreateWindowExA's return
  Alive,
  Destroying,  // DestroyWindow has begun; the handle stays valid until WM_NCDESTROY ends
};

struct Window {
  HWND handle = nullptr;
  DWORD thread_id = 0;
  std::shared_ptr<WindowClass> window_class;
  WNDPROC proc = nullptr;
  DWORD style = 0;
  DWORD ex_style = 0;
  HWND parent = nullptr;  // null for top-level windows
  HWND owner = nullptr;   // top-level windows only
  std::vector<HWND> children;  // z-order, topmost first
  HMENU menu = nullptr;        // the control id for child windows
  HINSTANCE instance = nullptr;
  LONG_PTR user_data = 0;
  std::vector<unsigned char> extra;  // cbWndExtra bytes
  std::string text;
  WindowLife life = WindowLife::Creating;

  // Both rectangles are in the parent's client coordinates (screen for top-level).
  RECT window_rect{};
  RECT client_rect{};

  bool is_child() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
};

}  // namespace win32::user
