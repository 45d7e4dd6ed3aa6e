// DefWindowProcA: the default handling of the messages the window system knows, and
// CallWindowProcA.
#include <algorithm>
#include <cstring>

#include "def_window_proc.h"
#include "last_error.h"
#include "menu_bar.h"
#include "nonclient.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

// The caption text of WM_NCCREATE: a resource ordinal (0xFFFF then the id) is no text.
void store_title(HWND hwnd, LPCSTR title) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return;
  if (!title || static_cast<unsigned char>(title[0]) == 0xFF)
    w->text.clear();
  else
    w->text = title;
}

LRESULT get_text(HWND hwnd, WPARAM capacity, LPSTR buffer) {
  if (!buffer || capacity == 0) return 0;
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return 0;
  size_t n = std::min<size_t>(w->text.size(), capacity - 1);
  std::memcpy(buffer, w->text.data(), n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT text_length(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  return w ? static_cast<LRESULT>(w->text.size()) : 0;
}

// The menu bar wraps at the width the window is about to have, so its rows are counted
// here (without the lock: counting measures item texts and may ask the owner to measure
// owner-drawn items) and kept for drawing and hit testing until the next calculation.
void calc_client(HWND hwnd, RECT* rect) {
  if (!rect) return;
  DWORD style, ex_style;
  bool has_menu;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return;
    style = w->style;
    ex_style = w->ex_style;
    has_menu = window_has_menu_bar_locked(*w);
  }
  int rows = 0;
  if (has_menu) {
    rows = std::max(1, count_menu_bar_rows(hwnd, menu_bar_width(style, ex_style, rect->right - rect->left)));
    UserLock lock(user_lock());
    if (Window* w = window_locked(hwnd)) w->menu_rows = rows;
  }
  *rect = client_from_window(*rect, frame_insets(style, ex_style, rows));
}

}  // namespace

bool window_has_menu_bar_locked(const Window& w) { return !w.is_child() && w.menu != nullptr; }

int menu_rows_locked(const Window& w) { return window_has_menu_bar_locked(w) ? std::max(1, w.menu_rows) : 0; }

}  // namespace win32::user

using namespace win32::user;

LRESULT WINAPI DefWindowProcA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lparam);
      store_title(hwnd, cs ? cs->lpszName : nullptr);
      return TRUE;
    }
    case WM_NCCALCSIZE:
      // With wParam TRUE the first rectangle of NCCALCSIZE_PARAMS is the new window
      // rectangle, which becomes the client rectangle; either way the rectangle leads.
      calc_client(hwnd, reinterpret_cast<RECT*>(lparam));
      return 0;
    case WM_SETTEXT:
      store_title(hwnd, reinterpret_cast<LPCSTR>(lparam));
      after_caption_change(hwnd);
      return TRUE;
    case WM_GETTEXT:
      return get_text(hwnd, wparam, reinterpret_cast<LPSTR>(lparam));
    case WM_GETTEXTLENGTH:
      return text_length(hwnd);
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_QUERYENDSESSION:
    case WM_QUERYOPEN:
      return TRUE;
    default:
      return default_window_message(hwnd, message, wparam, lparam);
  }
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!proc) return 0;
  return proc(hwnd, message, wparam, lparam);
}
