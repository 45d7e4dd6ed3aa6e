// ShowWindow and the window states: visible, minimized, maximized, enabled.
#include "window_state.h"

#include "def_window_proc.h"
#include "focus.h"
#include "geometry.h"
#include "last_error.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_pos.h"
#include "window_tree.h"

namespace win32::user {
namespace {

struct Current {
  bool exists = false;
  bool visible = false;
  bool child = false;
  DWORD style = 0;
  RECT rect{};
  RECT restore{};
};

Current current(HWND hwnd) {
  UserLock lock(user_lock());
  Current c;
  Window* w = window_locked(hwnd);
  if (!w) return c;
  c.exists = true;
  c.visible = w->visible();
  c.child = w->is_child();
  c.style = w->style;
  c.rect = w->window_rect;
  c.restore = w->restore_rect;
  return c;
}

// Sets or clears the minimized/maximized bits, remembering the normal placement.
void set_placement_state(HWND hwnd, DWORD add, DWORD remove) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return;
  if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->restore_rect = w->window_rect;
  w->style = (w->style & ~remove) | add;
}

BOOL show(HWND hwnd, int command) {
  Current c = current(hwnd);
  if (!c.exists) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  UINT flags = SWP_NOSIZE | SWP_NOMOVE;
  RECT target = c.rect;
  bool showing = true;
  switch (command) {
    case SW_HIDE:
      if (!c.visible) return FALSE;
      showing = false;
      flags |= SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
      set_placement_state(hwnd, WS_MINIMIZE, WS_MAXIMIZE);
      flags |= SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE;
      break;
    case SW_SHOWMAXIMIZED: {
      MINMAXINFO mmi = min_max_info(hwnd);
      set_placement_state(hwnd, WS_MAXIMIZE, WS_MINIMIZE);
      target = RECT{mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxPosition.x + mmi.ptMaxSize.x,
                    mmi.ptMaxPosition.y + mmi.ptMaxSize.y};
      flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED;
      break;
    }
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
      if (c.style & (WS_MINIMIZE | WS_MAXIMIZE)) {
        set_placement_state(hwnd, 0, WS_MINIMIZE | WS_MAXIMIZE);
        target = c.restore;
        flags = SWP_SHOWWINDOW | SWP_FRAMECHANGED;
      } else {
        flags |= SWP_SHOWWINDOW;
      }
      break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE:
      flags |= SWP_SHOWWINDOW | SWP_NOACTIVATE;
      break;
    default:
      flags |= SWP_SHOWWINDOW;
      break;
  }
  if (c.child) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
  if (showing != c.visible) send_message(hwnd, WM_SHOWWINDOW, showing ? TRUE : FALSE, 0);
  if (!showing) hand_on_focus_and_activation(hwnd);
  set_window_pos(hwnd, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top,
                 flags);
  return c.visible ? TRUE : FALSE;
}

}  // namespace

void show_new_window(HWND hwnd, int show_command) { show(hwnd, show_command); }

void prepare_for_destroy(HWND hwnd) {
  Current c = current(hwnd);
  if (!c.exists) return;
  if (c.visible) {
    if (c.child) send_message(hwnd, WM_SHOWWINDOW, FALSE, 0);
    set_window_pos(hwnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  hand_on_focus_and_activation(hwnd);
}

void take_desktop_maximized(HWND hwnd, bool maximized, const RECT& rect, const RECT& restore) {
  bool state_changes;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w || w->is_child() || (w->style & WS_MINIMIZE)) return;
    state_changes = ((w->style & WS_MAXIMIZE) != 0) != maximized;
    if (state_changes && maximized) {
      w->restore_rect = restore;
      w->style |= WS_MAXIMIZE;
    } else if (state_changes) {
      w->style &= ~WS_MAXIMIZE;
    }
  }
  set_window_pos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (state_changes ? SWP_FRAMECHANGED : 0));
}

}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI ShowWindow(HWND hwnd, int command) { return show(hwnd, command); }

BOOL WINAPI IsWindowVisible(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return FALSE;
  for (Window* cur = w; cur; cur = cur->is_child() ? window_locked(cur->parent) : nullptr)
    if (!cur->visible()) return FALSE;
  return TRUE;
}

BOOL WINAPI IsZoomed(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL WINAPI IsIconic(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL WINAPI IsWindowEnabled(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  return w->enabled() ? TRUE : FALSE;
}

// Returns whether the window was disabled before the call, as Windows does.
BOOL WINAPI EnableWindow(HWND hwnd, BOOL enable) {
  bool was_disabled;
  bool lose_focus = false;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    was_disabled = !w->enabled();
    if (was_disabled == !enable) return was_disabled ? TRUE : FALSE;
    if (enable) {
      w->style &= ~WS_DISABLED;
    } else {
      w->style |= WS_DISABLED;
      FocusState& s = focus_state_locked();
      lose_focus = s.focus && (s.focus == hwnd || is_descendant_locked(hwnd, s.focus));
      if (s.capture == hwnd) s.capture = nullptr;
    }
  }
  if (!enable) send_message(hwnd, WM_CANCELMODE, 0, 0);
  if (lose_focus) SetFocus(nullptr);
  send_message(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return was_disabled ? TRUE : FALSE;
}
