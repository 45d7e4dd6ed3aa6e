#include "button_paint.h"

#include "control_common.h"

namespace win32::user {
namespace {

constexpr int kCheckBoxSize = 13;
constexpr int kCheckTextGap = 4;
constexpr int kFocusInset = 4;

UINT owner_draw_state(HWND hwnd, const ButtonState& s) {
  UINT state = 0;
  if (s.pushed) state |= ODS_SELECTED;
  if (s.focused) state |= ODS_FOCUS;
  if (!IsWindowEnabled(hwnd)) state |= ODS_DISABLED;
  if (s.check == BST_CHECKED) state |= ODS_CHECKED;
  return state;
}

void paint_owner_drawn(HWND hwnd, HDC hdc, const ButtonState& s, UINT action) {
  HBRUSH brush = control_brush(hwnd, hdc, WM_CTLCOLORBTN);
  RECT r = client_rect_of(hwnd);
  // Only a full paint clears: a focus or press change leaves the picture to the owner.
  if (action == ODA_DRAWENTIRE) FillRect(hdc, &r, brush);
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_BUTTON;
  dis.CtlID = static_cast<UINT>(control_id(hwnd));
  dis.itemID = 0;
  dis.itemAction = action;
  dis.itemState = owner_draw_state(hwnd, s);
  dis.hwndItem = hwnd;
  dis.hDC = hdc;
  dis.rcItem = r;
  HWND parent = GetParent(hwnd);
  if (parent) SendMessageA(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
}

void draw_label(HWND hwnd, HDC hdc, const ButtonState& s, RECT r, UINT format) {
  char text[256];
  int n = control_text(hwnd, text, sizeof text);
  HGDIOBJ old_font = s.font ? SelectObject(hdc, s.font) : nullptr;
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(hdc, text, n, &r, format);
  if (old_font) SelectObject(hdc, old_font);
}

void paint_push(HWND hwnd, HDC hdc, const ButtonState& s, bool is_default) {
  control_brush(hwnd, hdc, WM_CTLCOLORBTN);  // asked, as Windows does, but a push button keeps its face
  RECT r = client_rect_of(hwnd);
  FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (is_default) {
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  draw_3d_frame(hdc, &r, false, s.pushed);
  RECT label = r;
  if (s.pushed) OffsetRect(&label, 1, 1);
  draw_label(hwnd, hdc, s, label, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (s.focused) {
    RECT focus = client_rect_of(hwnd);
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(hdc, &focus);
  }
}

void draw_check_mark(HDC hdc, const RECT& box) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWTEXT));
  HGDIOBJ old = SelectObject(hdc, pen);
  for (int i = 0; i < 3; ++i) {
    MoveToEx(hdc, box.left + 3, box.top + 5 + i, nullptr);
    LineTo(hdc, box.left + 5, box.top + 7 + i);
    LineTo(hdc, box.left + 10, box.top + 2 + i);
  }
  SelectObject(hdc, old);
  DeleteObject(pen);
}

void paint_check_or_radio(HWND hwnd, HDC hdc, const ButtonState& s, bool radio) {
  HBRUSH brush = control_brush(hwnd, hdc, WM_CTLCOLORBTN);
  RECT r = client_rect_of(hwnd);
  FillRect(hdc, &r, brush);
  int top = (r.bottom - kCheckBoxSize) / 2;
  RECT box{0, top, kCheckBoxSize, top + kCheckBoxSize};
  HBRUSH face = GetSysColorBrush(s.pushed ? COLOR_BTNFACE : COLOR_WINDOW);
  if (radio) {
    HGDIOBJ old_brush = SelectObject(hdc, face);
    Ellipse(hdc, box.left, box.top, box.right, box.bottom);
    if (s.check) {
      SelectObject(hdc, GetSysColorBrush(COLOR_WINDOWTEXT));
      Ellipse(hdc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
    }
    SelectObject(hdc, old_brush);
  } else {
    RECT inner = box;
    draw_3d_frame(hdc, &inner, true);
    FillRect(hdc, &inner, face);
    if (s.check) draw_check_mark(hdc, box);
  }
  RECT label{kCheckBoxSize + kCheckTextGap, 0, r.right, r.bottom};
  draw_label(hwnd, hdc, s, label, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (s.focused) DrawFocusRect(hdc, &label);
}

void paint_group_box(HWND hwnd, HDC hdc, const ButtonState& s) {
  HBRUSH brush = control_brush(hwnd, hdc, WM_CTLCOLORSTATIC);
  RECT r = client_rect_of(hwnd);
  FillRect(hdc, &r, brush);
  RECT frame = r;
  frame.top += 8;
  DrawEdge(hdc, &frame, EDGE_ETCHED, BF_RECT);
  char text[256];
  int n = control_text(hwnd, text, sizeof text);
  if (n <= 0) return;
  SIZE extent{};
  GetTextExtentPoint32A(hdc, text, n, &extent);
  RECT label{8, 0, 8 + extent.cx + 4, extent.cy};
  FillRect(hdc, &label, brush);
  OffsetRect(&label, 2, 0);
  draw_label(hwnd, hdc, s, label, DT_LEFT | DT_SINGLELINE);
}

}  // namespace

void paint_button(HWND hwnd, HDC hdc, const ButtonState& s, UINT owner_draw_action) {
  DWORD type = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & BS_TYPEMASK;
  switch (type) {
    case BS_OWNERDRAW: paint_owner_drawn(hwnd, hdc, s, owner_draw_action); return;
    case BS_PUSHBUTTON:
    case BS_USERBUTTON: paint_push(hwnd, hdc, s, false); return;
    case BS_DEFPUSHBUTTON: paint_push(hwnd, hdc, s, true); return;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: paint_check_or_radio(hwnd, hdc, s, true); return;
    case BS_GROUPBOX: paint_group_box(hwnd, hdc, s); return;
    default: paint_check_or_radio(hwnd, hdc, s, false); return;
  }
}

}  // namespace win32::user
