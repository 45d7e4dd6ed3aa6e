#include "frame_paint.h"

#include <atomic>
#include <string>

#include "def_window_proc.h"
#include "nonclient.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

std::atomic<MenuBarPainter> menu_bar_painter{nullptr};

void fill(HDC hdc, const RECT& r, int color) { FillRect(hdc, &r, GetSysColorBrush(color)); }

// One ring of a 3-D edge: top and left lines in one colour, bottom and right in another.
void edge_ring(HDC hdc, const RECT& r, int top_left, int bottom_right) {
  fill(hdc, RECT{r.left, r.top, r.right - 1, r.top + 1}, top_left);
  fill(hdc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, top_left);
  fill(hdc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
  fill(hdc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottom_right);
}

// The classic two-ring raised or sunken edge; shrinks `r` past it.
void edge(HDC hdc, RECT* r, bool raised) {
  if (raised) {
    edge_ring(hdc, *r, COLOR_3DLIGHT, COLOR_3DDKSHADOW);
    InflateRect(r, -1, -1);
    edge_ring(hdc, *r, COLOR_3DHIGHLIGHT, COLOR_3DSHADOW);
  } else {
    edge_ring(hdc, *r, COLOR_3DSHADOW, COLOR_3DHIGHLIGHT);
    InflateRect(r, -1, -1);
    edge_ring(hdc, *r, COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  }
  InflateRect(r, -1, -1);
}

// A window of the caption's glyphs: its frame with the thick top line of a caption.
void draw_small_window(HDC hdc, RECT box) {
  FrameRect(hdc, &box, GetSysColorBrush(COLOR_BTNTEXT));
  MoveToEx(hdc, box.left, box.top + 1, nullptr);
  LineTo(hdc, box.right, box.top + 1);
}

// `maximized` turns the maximize box into the restore box (two windows, one behind).
void draw_button(HDC hdc, RECT r, UINT hit, bool maximized = false) {
  if (r.right <= r.left) return;
  fill(hdc, r, COLOR_BTNFACE);
  RECT inner = r;
  edge(hdc, &inner, true);
  HPEN pen = CreatePen(0, 1, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ old = SelectObject(hdc, pen);
  int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
  switch (hit) {
    case HTCLOSE:
      for (int d = 0; d < 2; ++d) {
        MoveToEx(hdc, cx - 4 + d, cy - 3, nullptr);
        LineTo(hdc, cx + 3 + d, cy + 4);
        MoveToEx(hdc, cx + 2 + d, cy - 3, nullptr);
        LineTo(hdc, cx - 5 + d, cy + 4);
      }
      break;
    case HTMINBUTTON:
      MoveToEx(hdc, cx - 4, cy + 3, nullptr);
      LineTo(hdc, cx + 3, cy + 3);
      MoveToEx(hdc, cx - 4, cy + 2, nullptr);
      LineTo(hdc, cx + 3, cy + 2);
      break;
    case HTMAXBUTTON: {
      if (!maximized) {
        draw_small_window(hdc, RECT{cx - 5, cy - 4, cx + 4, cy + 4});
        break;
      }
      draw_small_window(hdc, RECT{cx - 3, cy - 5, cx + 4, cy + 1});
      RECT front{cx - 5, cy - 2, cx + 2, cy + 4};
      fill(hdc, front, COLOR_BTNFACE);
      draw_small_window(hdc, front);
      break;
    }
  }
  SelectObject(hdc, old);
  DeleteObject(pen);
}

void draw_caption(HDC hdc, const FrameLayout& layout, const std::string& title, HICON icon, bool active,
                  bool maximized) {
  RECT bar = layout.caption;
  fill(hdc, bar, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  RECT line{bar.left, bar.bottom, bar.right, bar.bottom + 1};
  fill(hdc, line, COLOR_BTNFACE);
  int text_left = bar.left + 3;
  if (layout.icon.right > layout.icon.left && icon) {
    DrawIconEx(hdc, layout.icon.left, layout.icon.top, icon, layout.icon.right - layout.icon.left,
               layout.icon.bottom - layout.icon.top, 0, nullptr, DI_NORMAL);
    text_left = layout.icon.right + 3;
  }
  int text_right = layout.min_box.right > layout.min_box.left ? layout.min_box.left
                   : layout.close_box.right > layout.close_box.left ? layout.close_box.left
                                                                     : bar.right;
  RECT text{text_left, bar.top, text_right - 2, bar.bottom};
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  DrawTextA(hdc, title.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  draw_button(hdc, layout.min_box, HTMINBUTTON);
  draw_button(hdc, layout.max_box, HTMAXBUTTON, maximized);
  draw_button(hdc, layout.close_box, HTCLOSE);
}

void draw_border(HDC hdc, DWORD style, DWORD ex_style, int width, int height) {
  RECT r{0, 0, width, height};
  if ((style & (WS_THICKFRAME | WS_DLGFRAME)) || (ex_style & WS_EX_DLGMODALFRAME)) {
    edge(hdc, &r, true);
    int rest = ((style & WS_THICKFRAME) ? kSizingFrame : kDialogFrame) - 2;
    for (int i = 0; i < rest; ++i) {
      FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
      InflateRect(&r, -1, -1);
    }
  } else if (style & WS_BORDER) {
    FrameRect(hdc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
  }
}

}  // namespace

bool caption_active_locked(HWND hwnd) {
  Window* w = window_locked(hwnd);
  return w && w->caption_active;
}

void set_menu_bar_painter(MenuBarPainter painter) { menu_bar_painter = painter; }

void paint_frame(HWND hwnd) {
  DWORD style, ex_style;
  bool active;
  int menu_rows;
  int width, height;
  std::string title;
  HICON icon;
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return;
    style = w->style;
    ex_style = w->ex_style;
    menu_rows = menu_rows_locked(*w);
    width = w->window_rect.right - w->window_rect.left;
    height = w->window_rect.bottom - w->window_rect.top;
    title = w->text;
    icon = w->window_class->icon;
    active = caption_active_locked(hwnd);
  }
  HDC hdc = GetWindowDC(hwnd);
  if (!hdc) return;
  FrameLayout layout = frame_layout(style, ex_style, menu_rows, width, height);
  draw_border(hdc, style, ex_style, width, height);
  if (layout.caption.right > layout.caption.left) draw_caption(hdc, layout, title, icon, active, (style & WS_MAXIMIZE) != 0);
  if (layout.menu_bar.right > layout.menu_bar.left) {
    fill(hdc, layout.menu_bar, COLOR_MENU);
    if (MenuBarPainter painter = menu_bar_painter.load()) painter(hwnd, hdc, layout.menu_bar);
  }
  if (ex_style & WS_EX_CLIENTEDGE) {
    RECT sunken = layout.client;
    InflateRect(&sunken, kClientEdge, kClientEdge);
    edge(hdc, &sunken, false);
  }
  ReleaseDC(hwnd, hdc);
}

}  // namespace win32::user
