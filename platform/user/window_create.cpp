// CreateWindowExA. The message order is Windows': WM_GETMINMAXINFO (overlapped or
// sizable windows), WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, then WM_SIZE and WM_MOVE for
// popups and children, then WM_PARENTNOTIFY to the parents. A FALSE from WM_NCCREATE or
// -1 from WM_CREATE ends the window with WM_NCDESTROY only and returns NULL.
#include <algorithm>

#include "display/backend.h"
#include "last_error.h"
#include "menu_bar.h"
#include "paint_dc.h"
#include "message_queue.h"
#include "nonclient.h"
#include "screen.h"
#include "send_message.h"
#include "window_lifecycle.h"
#include "window_pos.h"
#include "window_tree.h"
#include "window_state.h"
#include "user/controls/system_classes.h"

namespace win32::user {
namespace {

constexpr int kCascadeStep = 24;
constexpr int kCascadeSteps = 8;

bool is_overlapped(DWORD style) { return (style & (WS_CHILD | WS_POPUP)) == 0; }

// Default placement for overlapped windows: cascading positions, three quarters of the
// screen in size.
void place_default(int* x, int* y, int* cx, int* cy, bool position, bool size) {
  static int cascade = 0;  // guarded by the user lock
  SIZE screen = screen_size();
  if (position) {
    int step = cascade++ % kCascadeSteps;
    *x = kCascadeStep * step;
    *y = kCascadeStep * step;
  }
  if (size) {
    *cx = screen.cx * 3 / 4;
    *cy = screen.cy * 3 / 4;
  }
}

struct Placement {
  int x, y, cx, cy;
};

HWND make_window(DWORD ex_style, const std::shared_ptr<WindowClass>& cls, LPCSTR title,
                 DWORD style, const Placement& at, HWND parent, HWND owner, HMENU menu,
                 HINSTANCE instance) {
  auto w = std::make_shared<Window>();
  w->thread_id = current_thread_id();
  w->window_class = cls;
  w->proc = cls->proc;
  w->style = style;
  w->ex_style = ex_style;
  w->parent = parent;
  w->owner = owner;
  w->menu = menu;
  w->instance = instance;
  w->extra.assign(static_cast<size_t>(cls->window_extra), 0);
  w->window_rect = {at.x, at.y, at.x + at.cx, at.y + at.cy};
  w->client_rect = w->window_rect;
  w->needs_first_size = is_overlapped(style);
  if (!parent) w->surface = make_window_surface(at.cx, at.cy);
  (void)title;
  auto surface = w->surface;
  HWND hwnd;
  {
    UserLock lock(user_lock());
    hwnd = insert_window_locked(std::move(w));
    if (!hwnd) return fail(ERROR_NOT_ENOUGH_MEMORY, HWND{nullptr});
    cls->window_count++;
  }
  if (surface) display::backend().open_surface(hwnd, surface);
  return hwnd;
}

bool alive(HWND hwnd) {
  UserLock lock(user_lock());
  return window_locked(hwnd) != nullptr;
}

// Tells the parent chain a child was created or is going: each parent hears of it until
// one that is itself a child without WS_EX_NOPARENTNOTIFY ends the chain.
void notify_parents(HWND hwnd, UINT event) {
  HWND child = hwnd;
  for (;;) {
    HWND parent;
    int id;
    {
      UserLock lock(user_lock());
      Window* w = window_locked(child);
      if (!w || !w->is_child() || (w->ex_style & WS_EX_NOPARENTNOTIFY) || !w->parent) return;
      parent = w->parent;
      Window* origin = window_locked(hwnd);
      id = origin ? static_cast<int>(reinterpret_cast<LONG_PTR>(origin->menu)) : 0;
    }
    send_message(parent, WM_PARENTNOTIFY, MAKEWPARAM(event, id), reinterpret_cast<LPARAM>(hwnd));
    child = parent;
  }
}

}  // namespace

void notify_parents_of(HWND hwnd, UINT event) { notify_parents(hwnd, event); }

}  // namespace win32::user

using namespace win32::user;

HWND WINAPI CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style, int x,
                            int y, int cx, int cy, HWND parent, HMENU menu, HINSTANCE instance,
                            LPVOID param) {
  ensure_system_classes();
  std::shared_ptr<WindowClass> cls;
  HWND owner = nullptr;
  {
    UserLock lock(user_lock());
    cls = find_class_locked(class_name);
    if (!cls) return fail(ERROR_CANNOT_FIND_WND_CLASS, HWND{nullptr});
    if (parent == HWND_MESSAGE) parent = nullptr;
    if (parent && !window_locked(parent)) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
    // WS_CHILD without a parent fails, unless WS_POPUP makes it a popup after all.
    if ((style & WS_CHILD) && !parent && !(style & WS_POPUP))
      return fail(ERROR_TLW_WITH_WSCHILD, HWND{nullptr});
    if (!(style & WS_CHILD) || !parent) {
      // A top-level window's "parent" is its owner, always a top-level window.
      owner = parent ? top_level_of_locked(parent) : nullptr;
    }
  }
  current_queue();
  HWND window_parent = (style & WS_CHILD) ? parent : nullptr;  // null for popups
  if (!window_parent && !menu) menu = load_class_menu(instance, *cls);
  if (is_overlapped(style)) style |= WS_CAPTION | WS_CLIPSIBLINGS;
  const bool visible = (style & WS_VISIBLE) != 0;
  style &= ~WS_VISIBLE;

  int show_command = SW_SHOW;
  // A window created maximized or minimized is shown that way.
  if (visible && (style & WS_MAXIMIZE)) show_command = SW_SHOWMAXIMIZED;
  if (visible && (style & WS_MINIMIZE)) show_command = SW_SHOWMINIMIZED;
  style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
  {
    UserLock lock(user_lock());
    bool default_position = x == CW_USEDEFAULT;
    bool default_size = cx == CW_USEDEFAULT;
    if (is_overlapped(style)) {
      if (default_position && y != CW_USEDEFAULT && y != 0) show_command = y;
      place_default(&x, &y, &cx, &cy, default_position, default_size);
    } else {
      if (default_position) x = y = 0;
      if (default_size) cx = cy = 0;
    }
  }

  HWND hwnd = make_window(ex_style, cls, title, style, Placement{x, y, cx, cy}, window_parent, owner,
                          menu, instance);
  if (!hwnd) return nullptr;

  CREATESTRUCTA cs{param, instance, menu, parent, cy, cx, y, x, static_cast<LONG>(style), title,
                   class_name, ex_style};
  if (is_overlapped(style) || (style & WS_THICKFRAME)) {
    MINMAXINFO mmi = min_max_info(hwnd);
    cs.cx = std::clamp(cs.cx, static_cast<int>(mmi.ptMinTrackSize.x),
                       std::max(static_cast<int>(mmi.ptMaxTrackSize.x), static_cast<int>(mmi.ptMinTrackSize.x)));
    cs.cy = std::clamp(cs.cy, static_cast<int>(mmi.ptMinTrackSize.y),
                       std::max(static_cast<int>(mmi.ptMaxTrackSize.y), static_cast<int>(mmi.ptMinTrackSize.y)));
  }
  cs.cx = std::max(cs.cx, 0);
  cs.cy = std::max(cs.cy, 0);
  RECT window_rect{cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy};
  {
    UserLock lock(user_lock());
    if (Window* w = window_locked(hwnd)) {
      w->window_rect = w->client_rect = window_rect;
      if (w->surface) {
        std::lock_guard pixels(w->surface->mutex());
        w->surface->resize(cs.cx, cs.cy);
      }
    }
  }

  if (!send_message(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) || !alive(hwnd)) {
    abandon_creation(hwnd);
    return nullptr;
  }
  RECT client = window_rect;
  send_message(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  {
    UserLock lock(user_lock());
    if (Window* w = window_locked(hwnd)) w->client_rect = client;
  }
  if (send_message(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1 || !alive(hwnd)) {
    abandon_creation(hwnd);
    return nullptr;
  }
  {
    UserLock lock(user_lock());
    if (Window* w = window_locked(hwnd)) w->life = WindowLife::Alive;
  }
  if (!is_overlapped(style)) {
    send_message(hwnd, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(client.right - client.left, client.bottom - client.top));
    send_message(hwnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
  }
  notify_parents(hwnd, WM_CREATE);
  if (visible && alive(hwnd)) show_new_window(hwnd, show_command);
  return alive(hwnd) ? hwnd : nullptr;
}
