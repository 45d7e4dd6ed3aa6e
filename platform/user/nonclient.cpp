#include "nonclient.h"

#include <algorithm>

namespace win32::user {

FrameInsets frame_insets(DWORD style, DWORD ex_style, int menu_rows) {
  int border = 0;
  if (style & WS_THICKFRAME)
    border = kSizingFrame;
  else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME))
    border = kDialogFrame;
  else if (style & WS_BORDER)
    border = kThinBorder;
  if (ex_style & WS_EX_CLIENTEDGE) border += kClientEdge;
  FrameInsets insets{border, border, border, border};
  if ((style & WS_CAPTION) == WS_CAPTION) insets.top += kCaptionHeight;
  if (menu_rows > 0) insets.top += menu_rows * kMenuBarHeight;
  return insets;
}

RECT client_from_window(const RECT& window, const FrameInsets& insets) {
  RECT client{window.left + insets.left, window.top + insets.top, window.right - insets.right,
              window.bottom - insets.bottom};
  // A window smaller than its frame has an empty client area, never a negative one.
  client.right = std::max(client.right, client.left);
  client.bottom = std::max(client.bottom, client.top);
  return client;
}

}  // namespace win32::user

namespace win32::user {
namespace {

constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 14;
constexpr int kButtonGap = 2;
constexpr int kSmallIcon = 16;

bool inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

}  // namespace

FrameLayout frame_layout(DWORD style, DWORD ex_style, int menu_rows, int width, int height) {
  FrameLayout layout;
  FrameInsets insets = frame_insets(style, ex_style, menu_rows);
  layout.client = client_from_window(RECT{0, 0, width, height}, insets);
  FrameInsets outer = frame_insets(style & ~WS_CAPTION, ex_style & ~WS_EX_CLIENTEDGE, false);
  if ((style & WS_CAPTION) == WS_CAPTION) {
    layout.border = outer.left;
    layout.caption = RECT{outer.left, outer.top, width - outer.right, outer.top + kCaptionHeight - 1};
    int button_top = layout.caption.top + (kCaptionHeight - 1 - kButtonHeight) / 2;
    int right = layout.caption.right - kButtonGap;
    if (style & WS_SYSMENU) {
      layout.close_box = RECT{right - kButtonWidth, button_top, right, button_top + kButtonHeight};
      right = layout.close_box.left - kButtonGap;
      layout.icon = RECT{layout.caption.left + 1, layout.caption.top + 1, layout.caption.left + 1 + kSmallIcon,
                         layout.caption.top + 1 + kSmallIcon};
      if (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
        layout.max_box = RECT{right - kButtonWidth, button_top, right, button_top + kButtonHeight};
        layout.min_box = RECT{layout.max_box.left - kButtonWidth, button_top, layout.max_box.left,
                              button_top + kButtonHeight};
      }
    }
  } else {
    layout.border = outer.left;
  }
  if (menu_rows > 0) {
    int top = (style & WS_CAPTION) == WS_CAPTION ? outer.top + kCaptionHeight : outer.top;
    layout.menu_bar = RECT{outer.left, top, width - outer.right, top + menu_rows * kMenuBarHeight};
  }
  return layout;
}

int menu_bar_width(DWORD style, DWORD ex_style, int width) {
  RECT bar = frame_layout(style, ex_style, 1, width, 0).menu_bar;
  return std::max(0, static_cast<int>(bar.right - bar.left));
}

LRESULT hit_test(DWORD style, DWORD ex_style, int menu_rows, int width, int height, POINT at) {
  if (at.x < 0 || at.y < 0 || at.x >= width || at.y >= height) return HTNOWHERE;
  FrameLayout layout = frame_layout(style, ex_style, menu_rows, width, height);
  if (inside(layout.client, at)) return HTCLIENT;
  if (inside(layout.close_box, at)) return HTCLOSE;
  if (inside(layout.max_box, at)) return HTMAXBUTTON;
  if (inside(layout.min_box, at)) return HTMINBUTTON;
  if (inside(layout.icon, at)) return HTSYSMENU;
  if (inside(layout.caption, at)) return HTCAPTION;
  if (inside(layout.menu_bar, at)) return HTMENU;
  if (style & WS_THICKFRAME) {
    const int corner = kCaptionHeight;
    bool left = at.x < kSizingFrame, right = at.x >= width - kSizingFrame;
    bool top = at.y < kSizingFrame, bottom = at.y >= height - kSizingFrame;
    bool near_left = at.x < corner, near_right = at.x >= width - corner;
    bool near_top = at.y < corner, near_bottom = at.y >= height - corner;
    if ((top && near_left) || (left && near_top)) return HTTOPLEFT;
    if ((top && near_right) || (right && near_top)) return HTTOPRIGHT;
    if ((bottom && near_left) || (left && near_bottom)) return HTBOTTOMLEFT;
    if ((bottom && near_right) || (right && near_bottom)) return HTBOTTOMRIGHT;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
  }
  return HTBORDER;
}

}  // namespace win32::user
