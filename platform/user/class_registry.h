// Window classes. Application classes come from RegisterClassA; system classes (the
// dialog class and the controls) are registered by the platform itself through
// register_system_class and cannot be unregistered by the program.
#pragma once

#include <win32.h>

#include <memory>
#include <string>

namespace win32::user {

struct WindowClass {
  std::string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC proc = nullptr;
  int class_extra = 0;
  int window_extra = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  std::string menu_name;         // empty when the class names no menu (or names it by id)
  LPCSTR menu_resource = nullptr;  // the id form when the menu is named by an integer
  bool system = false;
  int window_count = 0;  // live windows of the class; guarded by the user lock
};

// Registers a platform class. A fixed atom (such as 0x8002 for "#32770") may be given;
// 0 picks the next free one. Returns the atom, or 0 when the name is taken.
ATOM register_system_class(const WNDCLASSA& wc, ATOM fixed_atom = 0);

// The class named by a string or by MAKEINTATOM, or null. REQUIRES: the user lock.
std::shared_ptr<WindowClass> find_class_locked(LPCSTR name_or_atom);

}  // namespace win32::user
