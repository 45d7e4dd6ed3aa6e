// A window's menu bar: GetMenu/SetMenu (the bar takes its height from the client area
// through WM_NCCALCSIZE), DrawMenuBar, and the painter the frame code calls to draw the
// bar's items.
#include "user/frame_paint.h"
#include "user/menu_bar.h"
#include "user/last_error.h"
#include "menu_bar_hooks.h"
#include "menu_layout.h"
#include "menu_window.h"

namespace win32::user {
namespace {

constexpr DWORD kErrorChildWindowMenu = 1436;

void paint_bar(HWND hwnd, HDC window_dc, const RECT& bar) {
  HMENU menu = GetMenu(hwnd);
  if (menu) paint_menu_bar(menu, hwnd, window_dc, bar);
}

int count_rows(HWND hwnd, int bar_width) {
  HMENU menu = GetMenu(hwnd);
  return menu ? count_bar_rows(menu, hwnd, bar_width) : 1;
}

}  // namespace

void install_menu_bar_painter() {
  set_menu_bar_painter(paint_bar);
  set_menu_bar_row_counter(count_rows);
  set_class_menu_loader(LoadMenuA);
}

void redraw_menu_bar(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW); }

}  // namespace win32::user

using namespace win32::user;

HMENU WINAPI GetMenu(HWND hwnd) {
  if (!IsWindow(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, HMENU{nullptr});
  return window_menu(hwnd);
}

BOOL WINAPI SetMenu(HWND hwnd, HMENU menu) {
  if (menu && !IsMenu(menu)) return fail(ERROR_INVALID_MENU_HANDLE_CODE, FALSE);
  if (!IsWindow(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  if (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) return fail(kErrorChildWindowMenu, FALSE);
  // The frame is recomputed: WM_NCCALCSIZE gives the client area what the bar leaves.
  if (!set_window_menu(hwnd, menu)) return FALSE;
  if (menu) {
    MenuLock lock(menu_lock());
    if (Menu* m = menu_locked(menu)) m->bar_window = hwnd;
  }
  return TRUE;
}

BOOL WINAPI DrawMenuBar(HWND hwnd) {
  if (!IsWindow(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  HMENU menu = GetMenu(hwnd);
  if (!menu) return FALSE;
  // Changed items may need another number of rows: then the frame is recalculated (the
  // client area gives or takes the difference), else only the bar is redrawn.
  RECT bar = menu_bar_rect(hwnd);
  if (count_bar_rows(menu, hwnd, bar.right - bar.left) != window_menu_rows(hwnd))
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  else
    redraw_menu_bar(hwnd);
  return TRUE;
}

BOOL WINAPI GetMenuItemRect(HWND hwnd, HMENU menu, UINT position, LPRECT out) {
  if (!out) return FALSE;
  HWND shown_in = nullptr;
  if (IsWindow(hwnd) && GetMenu(hwnd) == menu) {
    layout_menu_bar(menu, hwnd, menu_bar_rect(hwnd));
    shown_in = hwnd;
  } else {
    shown_in = popup_window_of(menu);
  }
  if (!shown_in) return FALSE;
  RECT item;
  {
    MenuLock lock(menu_lock());
    ItemRef ref = find_item_locked(menu, position, MF_BYPOSITION);
    if (!ref.item) return FALSE;
    item = ref.item->rect;
  }
  RECT window;
  GetWindowRect(shown_in, &window);
  *out = RECT{window.left + item.left, window.top + item.top, window.left + item.right, window.top + item.bottom};
  return TRUE;
}

BOOL WINAPI HiliteMenuItem(HWND hwnd, HMENU menu, UINT item, UINT hilite) {
  {
    MenuLock lock(menu_lock());
    ItemRef ref = find_item_locked(menu, item, hilite & MF_BYPOSITION);
    if (!ref.item) return FALSE;
    ref.item->flags = (ref.item->flags & ~MF_HILITE) | (hilite & MF_HILITE);
  }
  if (IsWindow(hwnd) && GetMenu(hwnd) == menu) redraw_menu_bar(hwnd);
  return TRUE;
}
