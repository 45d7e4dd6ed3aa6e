// The "Static" class: a text aligned left, centred or right and wrapped within the
// control, an icon, or a plain filled rectangle. Colours come from the parent through
// WM_CTLCOLORSTATIC.
//
// A text static paints itself the moment its text is set, besides invalidating: a
// program that writes a status line from inside a long computation dispatches no
// WM_PAINT until it is done, yet every text it sets must be seen as it is set.
#include "control_common.h"
#include "system_classes.h"
#include "window_state_table.h"

namespace win32::user {
namespace {

struct StaticState {
  HFONT font = nullptr;
  HICON icon = nullptr;
};

WindowStateTable<StaticState>& states() {
  static auto* table = new WindowStateTable<StaticState>;
  return *table;
}

DWORD kind_of(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & SS_TYPEMASK; }

// An icon named by the window text: the 0xFF, low, high ordinal form or a resource name.
HICON load_named_icon(HINSTANCE instance, const char* name) {
  if (!name || !name[0]) return nullptr;
  LPCSTR id = name;
  if (static_cast<unsigned char>(name[0]) == 0xFF)
    id = MAKEINTRESOURCEA(static_cast<unsigned char>(name[1]) | (static_cast<unsigned char>(name[2]) << 8));
  HICON icon = LoadIconA(instance, id);
  if (!icon && instance) icon = LoadIconA(nullptr, id);
  return icon;
}

UINT text_format(DWORD style) {
  UINT format = DT_EXPANDTABS;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format |= DT_RIGHT | DT_WORDBREAK; break;
    case SS_SIMPLE: format |= DT_SINGLELINE | DT_NOCLIP; break;
    case SS_LEFTNOWORDWRAP: format |= DT_LEFT; break;
    default: format |= DT_LEFT | DT_WORDBREAK; break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  return format;
}

void paint(HWND hwnd, HDC hdc, const StaticState& s) {
  DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  RECT r = client_rect_of(hwnd);
  switch (style & SS_TYPEMASK) {
    case SS_BLACKRECT: FillRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME)); return;
    case SS_GRAYRECT: FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW)); return;
    case SS_WHITERECT: FillRect(hdc, &r, GetSysColorBrush(COLOR_WINDOW)); return;
    default: break;
  }
  HBRUSH brush = control_brush(hwnd, hdc, WM_CTLCOLORSTATIC);
  FillRect(hdc, &r, brush);
  if ((style & SS_TYPEMASK) == SS_ICON) {
    if (s.icon) DrawIcon(hdc, 0, 0, s.icon);
    return;
  }
  char text[1024];
  int n = control_text(hwnd, text, sizeof text);
  HGDIOBJ old_font = s.font ? SelectObject(hdc, s.font) : nullptr;
  SetBkMode(hdc, TRANSPARENT);
  if (!IsWindowEnabled(hwnd)) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextA(hdc, text, n, &r, text_format(style));
  if (old_font) SelectObject(hdc, old_font);
}

bool has_text_style(DWORD style) {
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_SIMPLE:
    case SS_LEFTNOWORDWRAP: return true;
    default: return false;
  }
}

// Draws through a window DC at once. GetDC clips to the control and to what covers it,
// and an invisible control (or one inside a hidden parent) draws nothing.
void paint_now(HWND hwnd, const StaticState& s) {
  if (!IsWindowVisible(hwnd)) return;
  HDC hdc = GetDC(hwnd);
  if (!hdc) return;
  paint(hwnd, hdc, s);
  ReleaseDC(hwnd, hdc);
}

LRESULT static_message(HWND hwnd, StaticState& s, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lparam);
      if (cs && (static_cast<DWORD>(cs->style) & SS_TYPEMASK) == SS_ICON) s.icon = load_named_icon(cs->hInstance, cs->lpszName);
      return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    case WM_PAINT: return paint_window(hwnd, [&](HDC hdc) { paint(hwnd, hdc, s); });
    case WM_ERASEBKGND:
      return TRUE;  // WM_PAINT fills with the parent's brush
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hwnd, message, wparam, lparam);
      if (kind_of(hwnd) == SS_ICON)
        s.icon = load_named_icon(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd, GWLP_HINSTANCE)),
                                 reinterpret_cast<const char*>(lparam));
      InvalidateRect(hwnd, nullptr, TRUE);
      if (r && has_text_style(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)))) paint_now(hwnd, s);
      return r;
    }
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s.font);
    case STM_SETICON: {
      HICON old = s.icon;
      s.icon = reinterpret_cast<HICON>(wparam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(s.icon);
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_NCHITTEST:
      // Clicks fall through a label to what lies under it unless it asks to hear them.
      if (!(GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
      return HTCLIENT;
    default:
      return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

}  // namespace

LRESULT CALLBACK static_control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return with_window_state(states(), hwnd, message, wparam, lparam,
                           [&](StaticState& s) { return static_message(hwnd, s, message, wparam, lparam); });
}

}  // namespace win32::user
