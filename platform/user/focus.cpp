// SetFocus, SetActiveWindow and friends. Activation sends WM_NCACTIVATE and WM_ACTIVATE
// to the window losing it and then to the window gaining it, WM_ACTIVATEAPP when the
// program as a whole gains or loses activation; DefWindowProcA's WM_ACTIVATE then gives
// the newly active window the focus.
#include "focus.h"

#include <algorithm>

#include "last_error.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

bool alive(HWND hwnd) {
  UserLock lock(user_lock());
  return window_locked(hwnd) != nullptr;
}

WPARAM activate_param(int how, HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  bool minimized = w && (w->style & WS_MINIMIZE);
  return MAKEWPARAM(how, minimized ? 1 : 0);
}

void raise_locked(HWND top) {
  auto& list = top_level_windows_locked();
  auto it = std::find(list.begin(), list.end(), top);
  if (it == list.end()) return;
  list.erase(it);
  list.insert(list.begin(), top);
}

void change_focus(HWND to) {
  HWND from;
  {
    UserLock lock(user_lock());
    from = focus_state_locked().focus;
    if (from == to) return;
    focus_state_locked().focus = to;
  }
  if (from && alive(from)) send_message(from, WM_KILLFOCUS, reinterpret_cast<WPARAM>(to), 0);
  if (to && alive(to)) send_message(to, WM_SETFOCUS, reinterpret_cast<WPARAM>(from), 0);
}

// The window to activate when `leaving` stops being active: its owner if that can take
// it, else the topmost other visible, enabled top-level window.
HWND successor_locked(HWND leaving) {
  Window* w = window_locked(leaving);
  if (w && w->owner) {
    Window* owner = window_locked(w->owner);
    if (owner && owner->visible() && owner->enabled() && owner->life != WindowLife::Destroying) return w->owner;
  }
  for (HWND top : top_level_windows_locked()) {
    if (top == leaving) continue;
    Window* t = window_locked(top);
    if (t && t->visible() && t->enabled() && t->life != WindowLife::Destroying && t->owner != leaving) return top;
  }
  return nullptr;
}

}  // namespace

FocusState& focus_state_locked() {
  static FocusState* state = new FocusState;
  return *state;
}

void activate(HWND top, int how) {
  HWND old;
  {
    UserLock lock(user_lock());
    old = focus_state_locked().active;
    if (old == top) return;
    focus_state_locked().active = top;
    if (top) raise_locked(top);
  }
  if (old && alive(old)) {
    send_message(old, WM_NCACTIVATE, FALSE, 0);
    send_message(old, WM_ACTIVATE, activate_param(WA_INACTIVE, old), reinterpret_cast<LPARAM>(top));
  }
  if (!top) {
    if (old && alive(old)) send_message(old, WM_ACTIVATEAPP, FALSE, 0);
    change_focus(nullptr);
    return;
  }
  if (!old) send_message(top, WM_ACTIVATEAPP, TRUE, 0);
  send_message(top, WM_NCACTIVATE, TRUE, 0);
  send_message(top, WM_ACTIVATE, activate_param(how, top), reinterpret_cast<LPARAM>(old));
}

void hand_on_focus_and_activation(HWND hwnd) {
  HWND focus_to = nullptr;
  bool move_focus = false, was_active = false;
  HWND next = nullptr;
  {
    UserLock lock(user_lock());
    FocusState& s = focus_state_locked();
    Window* w = window_locked(hwnd);
    if (!w) return;
    if (s.capture && (s.capture == hwnd || is_descendant_locked(hwnd, s.capture))) s.capture = nullptr;
    if (w->is_child() && s.focus && (s.focus == hwnd || is_descendant_locked(hwnd, s.focus))) {
      move_focus = true;
      focus_to = w->parent;
    }
    if (!w->is_child() && s.active == hwnd) {
      was_active = true;
      next = successor_locked(hwnd);
    }
  }
  if (move_focus) change_focus(focus_to);
  if (was_active) activate(next, WA_ACTIVE);
}

}  // namespace win32::user

using namespace win32::user;

HWND WINAPI SetFocus(HWND hwnd) {
  HWND top = nullptr, active = nullptr;
  if (hwnd) {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
    // A disabled or minimized window (or one inside such a window) takes no focus.
    for (Window* cur = w; cur; cur = cur->is_child() ? window_locked(cur->parent) : nullptr) {
      if (cur->style & (WS_DISABLED | WS_MINIMIZE)) return nullptr;
    }
    top = top_level_of_locked(hwnd);
    active = focus_state_locked().active;
  }
  if (hwnd && top != active) activate(top, WA_ACTIVE);
  HWND old;
  {
    UserLock lock(user_lock());
    old = focus_state_locked().focus;
  }
  if (!hwnd || alive(hwnd)) change_focus(hwnd);
  return old;
}

HWND WINAPI GetFocus(void) {
  UserLock lock(user_lock());
  return focus_state_locked().focus;
}

HWND WINAPI SetActiveWindow(HWND hwnd) {
  HWND top = nullptr, old;
  {
    UserLock lock(user_lock());
    if (hwnd) {
      if (!window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
      top = top_level_of_locked(hwnd);
    }
    old = focus_state_locked().active;
  }
  activate(top, WA_ACTIVE);
  return old;
}

HWND WINAPI GetActiveWindow(void) {
  UserLock lock(user_lock());
  return focus_state_locked().active;
}

BOOL WINAPI SetForegroundWindow(HWND hwnd) {
  {
    UserLock lock(user_lock());
    if (!window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  }
  SetActiveWindow(hwnd);
  return TRUE;
}

HWND WINAPI GetForegroundWindow(void) { return GetActiveWindow(); }

HWND WINAPI SetCapture(HWND hwnd) {
  UserLock lock(user_lock());
  if (hwnd && !window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
  HWND old = focus_state_locked().capture;
  focus_state_locked().capture = hwnd;
  return old;
}

BOOL WINAPI ReleaseCapture(void) {
  UserLock lock(user_lock());
  focus_state_locked().capture = nullptr;
  return TRUE;
}

HWND WINAPI GetCapture(void) {
  UserLock lock(user_lock());
  return focus_state_locked().capture;
}
