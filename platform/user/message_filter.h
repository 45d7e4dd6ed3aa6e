// The window and message-range filter of GetMessageA and PeekMessageA.
#pragma once

#include <win32.h>

namespace win32::user {

struct MessageFilter {
  HWND hwnd = nullptr;  // null: any; (HWND)-1: thread messages only; else the window and its children
  UINT min = 0;
  UINT max = 0;

  bool wants_message(UINT message) const {
    if (min == 0 && max == 0) return true;
    if (min <= max) return message >= min && message <= max;
    return message >= min || message <= max;  // a reversed range wraps around, as on Windows
  }
  // REQUIRES: the user lock.
  bool wants_window_locked(HWND target) const;
  bool wants_locked(const MSG& msg) const { return wants_message(msg.message) && wants_window_locked(msg.hwnd); }
};

}  // namespace win32::user
