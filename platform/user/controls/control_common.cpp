#include "control_common.h"

namespace win32::user {

HBRUSH control_brush(HWND control, HDC hdc, UINT ctlcolor_message) {
  HWND parent = GetParent(control);
  if (!parent) parent = control;
  WPARAM dc = reinterpret_cast<WPARAM>(hdc);
  LPARAM self = reinterpret_cast<LPARAM>(control);
  auto brush = reinterpret_cast<HBRUSH>(SendMessageA(parent, ctlcolor_message, dc, self));
  if (!brush || GetObjectType(brush) != OBJ_BRUSH)
    brush = reinterpret_cast<HBRUSH>(DefWindowProcA(parent, ctlcolor_message, dc, self));
  return brush;
}

int control_id(HWND control) { return GetDlgCtrlID(control); }

void notify_parent(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (!parent) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(control_id(control), code), reinterpret_cast<LPARAM>(control));
}

void draw_3d_frame(HDC hdc, RECT* rect, bool sunken, bool pressed_flat) {
  if (pressed_flat) {
    // A pushed button: a dark outline and a shadow line inside it.
    FrameRect(hdc, rect, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(rect, -1, -1);
    FrameRect(hdc, rect, GetSysColorBrush(COLOR_BTNSHADOW));
    InflateRect(rect, -1, -1);
    return;
  }
  DrawEdge(hdc, rect, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
}

RECT client_rect_of(HWND control) {
  RECT r{};
  GetClientRect(control, &r);
  return r;
}

int control_text(HWND control, char* buffer, int capacity) {
  if (capacity <= 0) return 0;
  buffer[0] = '\0';
  return static_cast<int>(SendMessageA(control, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(buffer)));
}

}  // namespace win32::user
