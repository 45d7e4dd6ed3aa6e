// Per-window state of the platform's own window classes (dialogs, controls, menu
// windows), kept beside the window rather than in its extra bytes so that a program
// writing those bytes can never make us follow a wild pointer. A state is made when
// the window is created and dropped at its WM_NCDESTROY.
#pragma once

#include <win32.h>

#include <memory>
#include <mutex>
#include <unordered_map>

namespace win32::user {

// REQUIRES: a window's state is only used on the window's own thread (every message to
// it runs there); the table itself is safe from any thread.
template <typename State>
class WindowStateTable {
 public:
  State* create(HWND hwnd) {
    std::lock_guard lock(mutex_);
    auto& slot = states_[hwnd];
    slot = std::make_shared<State>();
    return slot.get();
  }
  // The window's state, or null when it has none (not ours, or already destroyed).
  std::shared_ptr<State> find(HWND hwnd) const {
    std::lock_guard lock(mutex_);
    auto it = states_.find(hwnd);
    return it == states_.end() ? nullptr : it->second;
  }
  void erase(HWND hwnd) {
    std::shared_ptr<State> dropped;  // destroyed outside the lock
    std::lock_guard lock(mutex_);
    auto it = states_.find(hwnd);
    if (it == states_.end()) return;
    dropped = std::move(it->second);
    states_.erase(it);
  }

 private:
  mutable std::mutex mutex_;
  std::unordered_map<HWND, std::shared_ptr<State>> states_;
};

}  // namespace win32::user

namespace win32::user {

// The usual life of such a state: made as WM_NCCREATE arrives, dropped after
// WM_NCDESTROY. Every message in between (WM_NCCREATE included) goes to
// handle(state); without a state the default window procedure answers.
template <typename State, typename Handler>
LRESULT with_window_state(WindowStateTable<State>& table, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                          Handler&& handle) {
  if (message == WM_NCCREATE) table.create(hwnd);
  if (message == WM_NCDESTROY) {
    table.erase(hwnd);
    return DefWindowProcA(hwnd, message, wparam, lparam);
  }
  std::shared_ptr<State> state = table.find(hwnd);
  if (!state) return DefWindowProcA(hwnd, message, wparam, lparam);
  return handle(*state);
}

// WM_PAINT's frame: paint(hdc) between BeginPaint and EndPaint.
template <typename Painter>
LRESULT paint_window(HWND hwnd, Painter&& paint) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  if (hdc) paint(hdc);
  EndPaint(hwnd, &ps);
  return 0;
}

}  // namespace win32::user
