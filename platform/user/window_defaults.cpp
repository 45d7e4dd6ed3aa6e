// DefWindowProcA's handling of painting, frames, activation, mouse and system commands.
#include "def_window_proc.h"

#include <algorithm>

#include "focus.h"
#include "frame_paint.h"
#include "gdi/window_dc.h"
#include "geometry.h"
#include "input.h"
#include "nonclient.h"
#include "paint.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_pos.h"
#include "window_tree.h"
#include "user/menus/menu_tracking.h"

namespace win32::user {
namespace {

struct Snapshot {
  bool exists = false;
  DWORD style = 0, ex_style = 0;
  bool child = false;
  int menu_rows = 0;
  HWND parent = nullptr;
  RECT window_on_screen{}, client{};
  std::shared_ptr<WindowClass> cls;
};

Snapshot snapshot(HWND hwnd) {
  UserLock lock(user_lock());
  Snapshot s;
  Window* w = window_locked(hwnd);
  if (!w) return s;
  s.exists = true;
  s.style = w->style;
  s.ex_style = w->ex_style;
  s.child = w->is_child();
  s.parent = w->parent;
  s.menu_rows = menu_rows_locked(*w);
  s.window_on_screen = window_rect_on_screen_locked(*w);
  s.client = w->client_rect;
  s.cls = w->window_class;
  return s;
}

LRESULT erase_background(HWND hwnd, HDC hdc) {
  Snapshot s = snapshot(hwnd);
  if (!s.exists) return 0;
  HBRUSH brush = gdi::ResolveBrush(s.cls->background);
  if (!brush) return 0;
  RECT client{0, 0, s.client.right - s.client.left, s.client.bottom - s.client.top};
  FillRect(hdc, &client, brush);
  return 1;
}

LRESULT hit(HWND hwnd, LPARAM lparam) {
  Snapshot s = snapshot(hwnd);
  if (!s.exists) return HTNOWHERE;
  POINT at{GET_X_LPARAM(lparam) - s.window_on_screen.left, GET_Y_LPARAM(lparam) - s.window_on_screen.top};
  return hit_test(s.style, s.ex_style, s.menu_rows, s.window_on_screen.right - s.window_on_screen.left,
                  s.window_on_screen.bottom - s.window_on_screen.top, at);
}

LRESULT set_cursor(HWND hwnd, LPARAM lparam) {
  Snapshot s = snapshot(hwnd);
  if (!s.exists) return FALSE;
  if (s.child && send_message(s.parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), lparam)) return TRUE;
  short hit_code = static_cast<short>(LOWORD(lparam));
  if (hit_code == HTERROR) {
    UINT mouse = HIWORD(lparam);
    if (mouse == WM_LBUTTONDOWN || mouse == WM_RBUTTONDOWN || mouse == WM_MBUTTONDOWN) MessageBeep(0);
    return FALSE;
  }
  if (hit_code == HTCLIENT) {
    if (!s.cls->cursor) return FALSE;
    SetCursor(s.cls->cursor);
    return TRUE;
  }
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return TRUE;
}

void window_pos_changed(HWND hwnd, const WINDOWPOS* pos) {
  if (!pos) return;
  Snapshot s = snapshot(hwnd);
  if (!s.exists) return;
  if (!(pos->flags & kSwpNoClientSize)) {
    WPARAM kind = (s.style & WS_MINIMIZE) ? SIZE_MINIMIZED : (s.style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
    send_message(hwnd, WM_SIZE, kind, MAKELPARAM(s.client.right - s.client.left, s.client.bottom - s.client.top));
  }
  if (!(pos->flags & kSwpNoClientMove)) send_message(hwnd, WM_MOVE, 0, MAKELPARAM(s.client.left, s.client.top));
}

LRESULT system_command(HWND hwnd, WPARAM command) {
  switch (command & 0xFFF0) {
    case SC_CLOSE: return send_message(hwnd, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_SHOWMAXIMIZED); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    default: return 0;
  }
}

// Caption buttons act when the button goes up over the box it went down on.
struct PressedBox {
  HWND hwnd = nullptr;
  WPARAM hit = 0;
};
PressedBox& pressed_box_locked() {
  static PressedBox* box = new PressedBox;
  return *box;
}

LRESULT button_up(HWND hwnd, WPARAM hit_code) {
  bool same;
  {
    UserLock lock(user_lock());
    PressedBox& box = pressed_box_locked();
    same = box.hwnd == hwnd && box.hit == hit_code;
    box = PressedBox{};
  }
  if (!same) return 0;
  if (hit_code == HTCLOSE) send_message(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (hit_code == HTMINBUTTON) send_message(hwnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  if (hit_code == HTMAXBUTTON) send_message(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
  return 0;
}

LRESULT control_colour(UINT message, HDC hdc) {
  int background = COLOR_3DFACE;
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) background = COLOR_WINDOW;
  if (message == WM_CTLCOLORSCROLLBAR) background = COLOR_SCROLLBAR;
  SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(hdc, GetSysColor(background));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

// An overlapped or sizable window is held to its tracking sizes, whoever sizes it (the
// program, a maximize, the desktop's frame): the window's WM_GETMINMAXINFO answer says how
// small and how large it may be. A minimized window is exempt from the minimum only; where
// the answer's minimum exceeds its maximum, the minimum wins.
void keep_track_size(HWND hwnd, WINDOWPOS* pos) {
  if (!pos || (pos->flags & SWP_NOSIZE)) return;
  Snapshot s = snapshot(hwnd);
  const bool overlapped = (s.style & (WS_POPUP | WS_CHILD)) == 0;
  if (!s.exists || (!overlapped && !(s.style & WS_THICKFRAME))) return;
  MINMAXINFO mmi = min_max_info(hwnd);
  pos->cx = std::min(pos->cx, static_cast<int>(mmi.ptMaxTrackSize.x));
  pos->cy = std::min(pos->cy, static_cast<int>(mmi.ptMaxTrackSize.y));
  if (s.style & WS_MINIMIZE) return;
  pos->cx = std::max(pos->cx, static_cast<int>(mmi.ptMinTrackSize.x));
  pos->cy = std::max(pos->cy, static_cast<int>(mmi.ptMinTrackSize.y));
}

}  // namespace

void after_caption_change(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (w && !w->is_child() && (w->style & WS_CAPTION) == WS_CAPTION) {
    RECT none{};
    redraw_locked(*w, &none, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
  }
}

LRESULT default_window_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (LRESULT r; menu_default_message(hwnd, message, wparam, lparam, &r)) return r;
  switch (message) {
    case WM_NCPAINT:
      paint_frame(hwnd);
      return 0;
    case WM_NCACTIVATE: {
      {
        UserLock lock(user_lock());
        if (Window* w = window_locked(hwnd)) w->caption_active = wparam != FALSE;
      }
      if (IsWindowVisible(hwnd)) paint_frame(hwnd);
      return TRUE;
    }
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE && !HIWORD(wparam)) SetFocus(hwnd);
      return 0;
    case WM_ERASEBKGND:
    case WM_ICONERASEBKGND:
      return erase_background(hwnd, reinterpret_cast<HDC>(wparam));
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_NCHITTEST:
      return hit(hwnd, lparam);
    case WM_SETCURSOR:
      return set_cursor(hwnd, lparam);
    case WM_MOUSEACTIVATE: {
      Snapshot s = snapshot(hwnd);
      if (s.child) {
        LRESULT r = send_message(s.parent, WM_MOUSEACTIVATE, wparam, lparam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    }
    case WM_WINDOWPOSCHANGING:
      keep_track_size(hwnd, reinterpret_cast<WINDOWPOS*>(lparam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      window_pos_changed(hwnd, reinterpret_cast<const WINDOWPOS*>(lparam));
      return 0;
    case WM_SYSCOMMAND:
      return system_command(hwnd, wparam);
    case WM_NCLBUTTONDOWN: {
      UserLock lock(user_lock());
      pressed_box_locked() = PressedBox{hwnd, wparam};
      return 0;
    }
    case WM_NCLBUTTONUP:
      return button_up(hwnd, wparam);
    case WM_NCLBUTTONDBLCLK:
      if (wparam == HTCAPTION && (snapshot(hwnd).style & WS_MAXIMIZEBOX))
        send_message(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
      return 0;
    case WM_SYSKEYDOWN:
      if (wparam == VK_F4 && (lparam & (1 << 29))) {
        HWND top;
        {
          UserLock lock(user_lock());
          top = top_level_of_locked(hwnd);
        }
        send_message(top, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_MOUSEWHEEL: {
      // Unanswered, the wheel goes on up to the parent: turning it over a child control
      // that does not scroll scrolls the window it sits in.
      Snapshot s = snapshot(hwnd);
      return s.child ? send_message(s.parent, WM_MOUSEWHEEL, wparam, lparam) : 0;
    }
    case WM_CANCELMODE:
      if (GetCapture() == hwnd) ReleaseCapture();
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return control_colour(message, reinterpret_cast<HDC>(wparam));
    default:
      return 0;
  }
}

}  // namespace win32::user
