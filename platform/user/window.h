// A window as the window manager keeps it. Windows are owned by the window table
// (window_tree.h); everything else refers to them by handle, so a destroyed window's
// handle finds nothing. Every field is guarded by the user lock.
#pragma once

#include <win32.h>

#include <memory>
#include <string>
#include <vector>

#include "class_registry.h"
#include "gdi/clip_region.h"
#include "gdi/surface.h"

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
  int menu_rows = 1;           // rows of the menu bar, as the last WM_NCCALCSIZE wrapped it
  HINSTANCE instance = nullptr;
  LONG_PTR user_data = 0;
  std::vector<unsigned char> extra;  // cbWndExtra bytes
  std::string text;
  WindowLife life = WindowLife::Creating;

  // Both rectangles are in the parent's client coordinates (screen for top-level).
  RECT window_rect{};
  RECT client_rect{};
  RECT restore_rect{};  // the normal placement while maximized or minimized
  bool needs_first_size = false;  // overlapped windows get WM_SIZE/WM_MOVE at first showing

  // Top-level windows own the pixels of their whole window rectangle; children draw
  // into their top-level window's surface.
  std::shared_ptr<gdi::Surface> surface;

  // What needs painting: the update region in client coordinates, whether the
  // background must be erased first, and whether the frame must be redrawn.
  gdi::ClipRegion update;
  bool erase_pending = false;
  bool frame_pending = false;
  bool painting = false;  // between BeginPaint and EndPaint
  bool caption_active = false;  // as the last WM_NCACTIVATE left it

  bool is_child() const { return (style & WS_CHILD) != 0 && parent != nullptr; }
  bool visible() const { return (style & WS_VISIBLE) != 0; }
  bool enabled() const { return (style & WS_DISABLED) == 0; }
};

}  // namespace win32::user
