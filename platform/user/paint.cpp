// Invalidation, validation, UpdateWindow, RedrawWindow and the choice of the window
// that gets the next WM_PAINT.
#include "paint.h"

#include "gdi/clip_region.h"
#include "geometry.h"
#include "last_error.h"
#include "message_queue.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

RECT client_box(const Window& w) {
  return RECT{0, 0, w.client_rect.right - w.client_rect.left, w.client_rect.bottom - w.client_rect.top};
}

bool has_frame(const Window& w) {
  return w.window_rect.left != w.client_rect.left || w.window_rect.top != w.client_rect.top ||
         w.window_rect.right != w.client_rect.right || w.window_rect.bottom != w.client_rect.bottom;
}

void wake_owner_locked(const Window& w) {
  if (auto queue = queue_of_thread_locked(w.thread_id)) queue->signal();
}

bool includes_children(const Window& w, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return (w.style & WS_CLIPCHILDREN) == 0;
}

}  // namespace

void redraw_locked(Window& w, const RECT* rect, UINT flags) {
  if (!w.visible()) return;
  RECT area = rect ? gdi::rect_intersection(*rect, client_box(w)) : client_box(w);
  if (flags & RDW_INVALIDATE) {
    if (!gdi::rect_empty(area)) {
      w.update.add(area);
      if (flags & RDW_ERASE) w.erase_pending = true;
    }
    if ((flags & RDW_FRAME) && has_frame(w)) w.frame_pending = true;
    wake_owner_locked(w);
  } else if (flags & RDW_VALIDATE) {
    if (rect) {
      w.update.subtract(area);
    } else {
      w.update.clear();
    }
    if (w.update.empty()) w.erase_pending = false;
    if (flags & RDW_NOFRAME) w.frame_pending = false;
  }
  if (!includes_children(w, flags)) return;
  for (HWND h : w.children) {
    Window* c = window_locked(h);
    if (!c || !c->visible()) continue;
    RECT overlap = gdi::rect_intersection(area, c->window_rect);
    if (gdi::rect_empty(overlap)) continue;
    RECT in_child{overlap.left - c->client_rect.left, overlap.top - c->client_rect.top,
                  overlap.right - c->client_rect.left, overlap.bottom - c->client_rect.top};
    UINT child_flags = flags;
    if ((flags & RDW_INVALIDATE) && !rect) child_flags |= RDW_FRAME;  // a whole-window repaint
    redraw_locked(*c, &in_child, child_flags);
  }
}

void invalidate_everything_locked(Window& w) {
  redraw_locked(w, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool wants_paint_locked(const Window& w) { return !w.update.empty() || w.frame_pending; }

HWND window_to_paint_locked(DWORD thread_id, const MessageFilter& filter) {
  if (!filter.wants_message(WM_PAINT)) return nullptr;
  for (HWND h : windows_of_thread_locked(thread_id)) {
    Window* w = window_locked(h);
    if (w && wants_paint_locked(*w) && !w->painting && really_visible_locked(*w) &&
        filter.wants_window_locked(h))
      return h;
  }
  return nullptr;
}

void paint_frame_if_pending(HWND hwnd) {
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w || !w->frame_pending) return;
    w->frame_pending = false;
  }
  send_message(hwnd, WM_NCPAINT, 1, 0);
}

void update_now(HWND hwnd, bool children) {
  paint_frame_if_pending(hwnd);
  bool paint = false;
  std::vector<HWND> kids;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return;
    paint = !w->update.empty() && really_visible_locked(*w);
    if (children) kids = w->children;
  }
  if (paint) send_message(hwnd, WM_PAINT, 0, 0);
  for (HWND child : kids) update_now(child, true);
}

}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
  std::vector<HWND> targets;
  {
    UserLock lock(user_lock());
    if (hwnd) {
      if (!window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
      targets.push_back(hwnd);
    } else {
      targets = top_level_windows_locked();
    }
  }
  RECT area{};
  bool whole = !rect && !region;
  if (rect) area = *rect;
  if (!rect && region && !GetRgnBox(region, &area)) whole = true;
  for (HWND h : targets) {
    {
      UserLock lock(user_lock());
      Window* w = window_locked(h);
      if (!w) continue;
      redraw_locked(*w, whole ? nullptr : &area, flags);
    }
    if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) update_now(h, (flags & RDW_ALLCHILDREN) != 0);
  }
  return TRUE;
}

BOOL WINAPI InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  return RedrawWindow(hwnd, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL WINAPI ValidateRect(HWND hwnd, const RECT* rect) {
  return RedrawWindow(hwnd, rect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL WINAPI GetUpdateRect(HWND hwnd, LPRECT rect, BOOL) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  RECT bounds = w->update.bounds();
  if (rect) *rect = bounds;
  return w->update.empty() ? FALSE : TRUE;
}

BOOL WINAPI UpdateWindow(HWND hwnd) {
  {
    UserLock lock(user_lock());
    if (!window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  }
  update_now(hwnd, true);
  return TRUE;
}
