// The "Button" class: push buttons (the default one with a heavy frame), owner-drawn
// buttons that ask their parent to draw through WM_DRAWITEM, check boxes and radio
// buttons. A click is the button going up over itself, by mouse or by the space bar,
// and reaches the parent as WM_COMMAND(BN_CLICKED).
#include "button_paint.h"
#include "control_common.h"
#include "system_classes.h"
#include "window_state_table.h"

namespace win32::user {
namespace {

WindowStateTable<ButtonState>& states() {
  static auto* table = new WindowStateTable<ButtonState>;
  return *table;
}

DWORD type_of(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool is_radio(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }
bool is_check(DWORD type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

// Draws now (not through WM_PAINT) for a state change: an owner-drawn button gets the
// matching ODA_SELECT or ODA_FOCUS request.
void redraw(HWND hwnd, UINT owner_draw_action) {
  auto s = states().find(hwnd);
  if (!s || !IsWindowVisible(hwnd)) return;
  HDC hdc = GetDC(hwnd);
  if (!hdc) return;
  paint_button(hwnd, hdc, *s, owner_draw_action);
  ReleaseDC(hwnd, hdc);
}

void set_pushed(HWND hwnd, ButtonState& s, bool pushed) {
  if (s.pushed == pushed) return;
  s.pushed = pushed;
  redraw(hwnd, ODA_SELECT);
}

// An auto check box cycles its check; an auto radio button checks itself and clears
// the others of its group.
void toggle_auto(HWND hwnd, ButtonState& s) {
  DWORD type = type_of(hwnd);
  if (type == BS_AUTOCHECKBOX) {
    s.check = s.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
  } else if (type == BS_AUTO3STATE) {
    s.check = (s.check + 1) % 3;
  } else if (type == BS_AUTORADIOBUTTON) {
    HWND parent = GetParent(hwnd);
    HWND first = parent ? GetNextDlgGroupItem(parent, hwnd, FALSE) : nullptr;
    for (HWND other = first; other && other != hwnd;) {
      if (type_of(other) == BS_AUTORADIOBUTTON) SendMessageA(other, BM_SETCHECK, BST_UNCHECKED, 0);
      HWND next = GetNextDlgGroupItem(parent, other, FALSE);
      if (next == first) break;
      other = next;
    }
    s.check = BST_CHECKED;
  } else {
    return;
  }
  redraw(hwnd, ODA_DRAWENTIRE);
}

void click(HWND hwnd) {
  auto s = states().find(hwnd);
  if (!s) return;
  toggle_auto(hwnd, *s);
  notify_parent(hwnd, BN_CLICKED);
}

UINT dialog_code_of(DWORD type) {
  switch (type) {
    case BS_PUSHBUTTON: return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_DEFPUSHBUTTON: return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX: return DLGC_STATIC;
    default: return DLGC_BUTTON;
  }
}

LRESULT mouse_message(HWND hwnd, ButtonState& s, UINT message, LPARAM lparam) {
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(hwnd);
      SetFocus(hwnd);
      s.tracking = true;
      set_pushed(hwnd, s, true);
      return 0;
    case WM_MOUSEMOVE: {
      if (!s.tracking) return 0;
      POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      RECT r = client_rect_of(hwnd);
      set_pushed(hwnd, s, PtInRect(&r, at) != FALSE);
      return 0;
    }
    case WM_LBUTTONUP: {
      if (!s.tracking) return 0;
      s.tracking = false;
      bool was_pushed = s.pushed;
      set_pushed(hwnd, s, false);
      ReleaseCapture();
      if (was_pushed) click(hwnd);
      return 0;
    }
    default:
      return 0;
  }
}

LRESULT button_message(HWND hwnd, ButtonState& s, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: return paint_window(hwnd, [&](HDC hdc) { paint_button(hwnd, hdc, s, ODA_DRAWENTIRE); });
    case WM_ERASEBKGND:
      return TRUE;
    case WM_GETDLGCODE:
      return dialog_code_of(type_of(hwnd));
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      return mouse_message(hwnd, s, message, lparam);
    case WM_KEYDOWN:
      if (wparam == VK_SPACE && !s.tracking) {
        s.space_down = true;
        set_pushed(hwnd, s, true);
      }
      return 0;
    case WM_KEYUP:
      if (wparam == VK_SPACE && s.space_down) {
        s.space_down = false;
        bool was_pushed = s.pushed;
        set_pushed(hwnd, s, false);
        if (was_pushed) click(hwnd);
      }
      return 0;
    case WM_SETFOCUS:
      s.focused = true;
      redraw(hwnd, ODA_FOCUS);
      return 0;
    case WM_KILLFOCUS:
      s.focused = false;
      s.space_down = false;
      redraw(hwnd, ODA_FOCUS);
      if (s.tracking && GetCapture() == hwnd) ReleaseCapture();
      s.tracking = false;
      set_pushed(hwnd, s, false);
      return 0;
    case WM_ENABLE:
    case WM_SETTEXT: {
      LRESULT r = message == WM_SETTEXT ? DefWindowProcA(hwnd, message, wparam, lparam) : 0;
      InvalidateRect(hwnd, nullptr, TRUE);
      return r;
    }
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s.font);
    case BM_CLICK:
      if (!IsWindowEnabled(hwnd)) return 0;
      set_pushed(hwnd, s, true);
      set_pushed(hwnd, s, false);
      click(hwnd);
      return 0;
    case BM_GETSTATE:
      return s.check | (s.pushed ? BST_PUSHED : 0) | (s.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      set_pushed(hwnd, s, wparam != 0);
      return 0;
    case BM_GETCHECK:
      return s.check;
    case BM_SETCHECK:
      if ((is_check(type_of(hwnd)) || is_radio(type_of(hwnd))) && s.check != (wparam & 3)) {
        s.check = static_cast<UINT>(wparam & 3);
        redraw(hwnd, ODA_DRAWENTIRE);
      }
      return 0;
    case BM_SETSTYLE: {
      LONG style = GetWindowLongA(hwnd, GWL_STYLE);
      LONG wanted = static_cast<LONG>((static_cast<DWORD>(style) & ~BS_TYPEMASK) | (wparam & BS_TYPEMASK));
      if (wanted != style) SetWindowLongA(hwnd, GWL_STYLE, wanted);
      if (lparam) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    }
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

}  // namespace

LRESULT CALLBACK button_control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return with_window_state(states(), hwnd, message, wparam, lparam,
                           [&](ButtonState& s) { return button_message(hwnd, s, message, wparam, lparam); });
}

}  // namespace win32::user
