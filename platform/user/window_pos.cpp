#include "window_pos.h"

#include <algorithm>

#include "display/backend.h"
#include "focus.h"
#include "last_error.h"
#include "nonclient.h"
#include "paint.h"
#include "screen.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

bool same_size(const RECT& a, const RECT& b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

void restack_locked(Window& w, HWND after) {
  auto& list = siblings_locked(w);
  auto it = std::find(list.begin(), list.end(), w.handle);
  if (it == list.end()) return;
  list.erase(it);
  if (after == HWND_BOTTOM) {
    list.push_back(w.handle);
    return;
  }
  auto pos = std::find(list.begin(), list.end(), after);
  if (after == HWND_TOP || after == HWND_TOPMOST || after == HWND_NOTOPMOST || pos == list.end())
    list.insert(list.begin(), w.handle);
  else
    list.insert(pos + 1, w.handle);
}

// The parent (or nobody, for top-level windows) must repaint where a child used to be.
void expose_old_area_locked(const Window& w, const RECT& old_rect) {
  if (!w.is_child()) return;
  Window* parent = window_locked(w.parent);
  if (!parent) return;
  redraw_locked(*parent, &old_rect, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

MINMAXINFO min_max_info(HWND hwnd) {
  DWORD style = 0, ex_style = 0;
  {
    UserLock lock(user_lock());
    if (Window* w = window_locked(hwnd)) {
      style = w->style;
      ex_style = w->ex_style;
    }
  }
  SIZE screen = screen_size();
  FrameInsets frame = frame_insets(style & ~WS_CAPTION, ex_style, 0);
  MINMAXINFO mmi{};
  mmi.ptMaxSize = {screen.cx + frame.left + frame.right, screen.cy + frame.top + frame.bottom};
  mmi.ptMaxPosition = {-frame.left, -frame.top};
  mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  mmi.ptMaxTrackSize = mmi.ptMaxSize;
  if (hwnd) send_message(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
  return mmi;
}

BOOL set_window_pos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  WINDOWPOS pos{hwnd, after, x, y, cx, cy, flags};
  bool was_visible;
  RECT old_window, old_client;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    old_window = w->window_rect;
    old_client = w->client_rect;
    was_visible = w->visible();
    if (flags & SWP_NOMOVE) {
      pos.x = old_window.left;
      pos.y = old_window.top;
    }
    if (flags & SWP_NOSIZE) {
      pos.cx = old_window.right - old_window.left;
      pos.cy = old_window.bottom - old_window.top;
    }
    if ((flags & SWP_SHOWWINDOW) && was_visible) pos.flags &= ~SWP_SHOWWINDOW;
    if ((flags & SWP_HIDEWINDOW) && !was_visible) pos.flags &= ~SWP_HIDEWINDOW;
  }
  if (!(pos.flags & SWP_NOSENDCHANGING)) send_message(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
  pos.cx = std::max(pos.cx, 0);
  pos.cy = std::max(pos.cy, 0);
  RECT new_window{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
  RECT new_client{old_client.left + new_window.left - old_window.left, old_client.top + new_window.top - old_window.top,
                  old_client.right + new_window.left - old_window.left,
                  old_client.bottom + new_window.top - old_window.top};
  const bool resized = !same_size(old_window, new_window);
  if (resized || (pos.flags & SWP_FRAMECHANGED)) {
    NCCALCSIZE_PARAMS params{{new_window, old_window, old_client}, &pos};
    send_message(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    new_client = params.rgrc[0];
  }
  bool top_level = false, first_size = false;
  std::shared_ptr<gdi::Surface> surface;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    const bool moved = old_window.left != new_window.left || old_window.top != new_window.top;
    if (was_visible && (moved || resized || (pos.flags & SWP_HIDEWINDOW))) expose_old_area_locked(*w, old_window);
    w->window_rect = new_window;
    w->client_rect = new_client;
    if (!(pos.flags & SWP_NOZORDER)) restack_locked(*w, pos.hwndInsertAfter);
    if (pos.flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (pos.flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    top_level = !w->is_child();
    if (top_level && w->surface && resized) {
      gdi::Pixel fill = gdi::to_pixel(GetSysColor(COLOR_WINDOW));
      std::lock_guard pixels(w->surface->mutex());
      w->surface->resize(pos.cx, pos.cy, fill);
    }
    surface = top_level ? w->surface : nullptr;
    bool appeared = (pos.flags & SWP_SHOWWINDOW) != 0;
    bool child_moved = w->is_child() && moved;
    if (!(pos.flags & SWP_NOREDRAW) && (appeared || resized || child_moved || (pos.flags & SWP_FRAMECHANGED)))
      invalidate_everything_locked(*w);
    first_size = w->needs_first_size && w->visible();
    if (first_size) w->needs_first_size = false;
  }
  if (top_level && (pos.flags & SWP_SHOWWINDOW) && !(pos.flags & SWP_NOACTIVATE)) activate(hwnd, WA_ACTIVE);
  if (same_size(old_client, new_client) && !first_size) pos.flags |= kSwpNoClientSize;
  if (old_client.left == new_client.left && old_client.top == new_client.top && !first_size) pos.flags |= kSwpNoClientMove;
  send_message(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (surface) display::backend().present(hwnd, surface->bounds());
  return TRUE;
}

}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI SetWindowPos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags) {
  return set_window_pos(hwnd, after, x, y, cx, cy, flags);
}

BOOL WINAPI MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint) {
  return set_window_pos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI BringWindowToTop(HWND hwnd) {
  return set_window_pos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
