// The geometry calls: rectangles, coordinate conversions, system metrics and
// AdjustWindowRect, all computed from the same frame metrics the platform draws.
#include <algorithm>

#include "geometry.h"
#include "last_error.h"
#include "nonclient.h"
#include "screen.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

constexpr int kScrollBarSize = 16;
constexpr int kIconSize = 32;
constexpr int kCursorSize = 32;
constexpr int kSmallIconSize = 16;
constexpr int kCaptionButtonSize = 18;
constexpr int kMinTrackWidth = 112;
constexpr int kMinTrackHeight = 27;
constexpr int kDoubleClickArea = 4;
constexpr int kIconSpacing = 75;
constexpr int kMouseButtons = 3;

// Moves a point by the window's client origin on the screen: +1 client to screen, -1 back.
BOOL shift_by_client_origin(HWND hwnd, LPPOINT point, int direction) {
  if (!point) return fail(ERROR_INVALID_PARAMETER, FALSE);
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  POINT origin = client_origin_on_screen_locked(*w);
  point->x += direction * origin.x;
  point->y += direction * origin.y;
  return TRUE;
}

}  // namespace
}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI GetWindowRect(HWND hwnd, LPRECT rect) {
  if (!rect) return fail(ERROR_INVALID_PARAMETER, FALSE);
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  *rect = window_rect_on_screen_locked(*w);
  return TRUE;
}

BOOL WINAPI GetClientRect(HWND hwnd, LPRECT rect) {
  if (!rect) return fail(ERROR_INVALID_PARAMETER, FALSE);
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  *rect = RECT{0, 0, w->client_rect.right - w->client_rect.left, w->client_rect.bottom - w->client_rect.top};
  return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hwnd, LPPOINT point) { return shift_by_client_origin(hwnd, point, +1); }

BOOL WINAPI ScreenToClient(HWND hwnd, LPPOINT point) { return shift_by_client_origin(hwnd, point, -1); }

int WINAPI MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  UserLock lock(user_lock());
  POINT a{0, 0}, b{0, 0};
  if (from) {
    Window* w = window_locked(from);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, 0);
    a = client_origin_on_screen_locked(*w);
  }
  if (to) {
    Window* w = window_locked(to);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, 0);
    b = client_origin_on_screen_locked(*w);
  }
  int dx = a.x - b.x, dy = a.y - b.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

HWND WINAPI WindowFromPoint(POINT point) {
  UserLock lock(user_lock());
  return window_from_point_locked(point);
}

HWND WINAPI ChildWindowFromPoint(HWND parent, POINT point) {
  UserLock lock(user_lock());
  Window* w = window_locked(parent);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
  RECT client{0, 0, w->client_rect.right - w->client_rect.left, w->client_rect.bottom - w->client_rect.top};
  if (point.x < client.left || point.y < client.top || point.x >= client.right || point.y >= client.bottom)
    return nullptr;
  for (HWND h : w->children) {
    Window* c = window_locked(h);
    if (c && point.x >= c->window_rect.left && point.x < c->window_rect.right &&
        point.y >= c->window_rect.top && point.y < c->window_rect.bottom)
      return h;
  }
  return parent;
}

int WINAPI GetSystemMetrics(int index) {
  SIZE screen = screen_size();
  switch (index) {
    case SM_CXSCREEN: return screen.cx;
    case SM_CYSCREEN: return screen.cy;
    case SM_CXVSCROLL: case SM_CYHSCROLL: case SM_CYVSCROLL: case SM_CXHSCROLL:
    case SM_CYVTHUMB: case SM_CXHTHUMB: return kScrollBarSize;
    case SM_CYCAPTION: return kCaptionHeight;
    case SM_CXBORDER: case SM_CYBORDER: return kThinBorder;
    case SM_CXDLGFRAME: case SM_CYDLGFRAME: return kDialogFrame;
    case SM_CXFRAME: case SM_CYFRAME: return kSizingFrame;
    case SM_CXEDGE: case SM_CYEDGE: return kClientEdge;
    case SM_CXICON: case SM_CYICON: return kIconSize;
    case SM_CXCURSOR: case SM_CYCURSOR: return kCursorSize;
    case SM_CXSMICON: case SM_CYSMICON: return kSmallIconSize;
    case SM_CYMENU: return kMenuBarHeight;
    case SM_CXFULLSCREEN: return screen.cx;
    case SM_CYFULLSCREEN: return screen.cy - kCaptionHeight;
    case SM_MOUSEPRESENT: return 1;
    case SM_SWAPBUTTON: return 0;
    case SM_CXMIN: case SM_CXMINTRACK: return kMinTrackWidth;
    case SM_CYMIN: case SM_CYMINTRACK: return kMinTrackHeight;
    case SM_CXSIZE: case SM_CYSIZE: return kCaptionButtonSize;
    case SM_CYSMCAPTION: return kCaptionHeight - 4;
    case SM_CXDOUBLECLK: case SM_CYDOUBLECLK: return kDoubleClickArea;
    case SM_CXICONSPACING: case SM_CYICONSPACING: return kIconSpacing;
    case SM_CMOUSEBUTTONS: return kMouseButtons;
    case SM_CXMAXTRACK: case SM_CXMAXIMIZED: return screen.cx + 2 * kSizingFrame;
    case SM_CYMAXTRACK: case SM_CYMAXIMIZED: return screen.cy + 2 * kSizingFrame;
    default: return 0;
  }
}

BOOL WINAPI AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD ex_style) {
  if (!rect) return fail(ERROR_INVALID_PARAMETER, FALSE);
  // One menu row, whatever the bar would need at this width: a wrapped bar is not
  // allowed for, as on Windows.
  FrameInsets insets = frame_insets(style, ex_style, menu ? 1 : 0);
  rect->left -= insets.left;
  rect->top -= insets.top;
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return TRUE;
}

BOOL WINAPI AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }
