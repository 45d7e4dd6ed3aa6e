#include "scroll_bar.h"

#include <algorithm>

namespace win32::user {
namespace {

constexpr int kMinThumb = 8;

void draw_arrow(HDC hdc, RECT box, bool up, bool enabled) {
  DrawEdge(hdc, &box, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  HBRUSH ink = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  int cx = (box.left + box.right) / 2;
  int cy = (box.top + box.bottom) / 2;
  // A small solid triangle, four rows high.
  for (int row = 0; row < 4; ++row) {
    int half = up ? row : 3 - row;
    RECT line{cx - half, cy - 2 + row, cx + half + 1, cy - 1 + row};
    FillRect(hdc, &line, ink);
  }
}

}  // namespace

ScrollBarLayout scroll_bar_layout(const RECT& bar, const ScrollRange& range) {
  ScrollBarLayout l;
  l.bar = bar;
  int height = bar.bottom - bar.top;
  // When the bar is shorter than two square arrows, the arrows share its height.
  int arrow = std::min(static_cast<int>(bar.right - bar.left), height / 2);
  l.up = RECT{bar.left, bar.top, bar.right, bar.top + arrow};
  l.down = RECT{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  int track = height - 2 * arrow;
  if (range.total > range.page && track >= kMinThumb) {
    int thumb = std::max(kMinThumb, track * range.page / std::max(1, range.total));
    int travel = track - thumb;
    int span = range.total - range.page;
    int top = l.up.bottom + (span > 0 ? travel * range.position / span : 0);
    l.thumb = RECT{bar.left, top, bar.right, top + thumb};
  }
  return l;
}

void paint_scroll_bar(HDC hdc, const ScrollBarLayout& l, bool enabled) {
  RECT track{l.bar.left, l.up.bottom, l.bar.right, l.down.top};
  FillRect(hdc, &track, GetSysColorBrush(COLOR_SCROLLBAR));
  draw_arrow(hdc, l.up, true, enabled);
  draw_arrow(hdc, l.down, false, enabled);
  if (l.thumb.bottom > l.thumb.top) {
    RECT thumb = l.thumb;
    DrawEdge(hdc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}

int scroll_code_at(const ScrollBarLayout& l, POINT at) {
  if (!PtInRect(&l.bar, at)) return -1;
  if (PtInRect(&l.up, at)) return SB_LINEUP;
  if (PtInRect(&l.down, at)) return SB_LINEDOWN;
  if (l.thumb.bottom > l.thumb.top) {
    if (at.y < l.thumb.top) return SB_PAGEUP;
    if (at.y >= l.thumb.bottom) return SB_PAGEDOWN;
    return -1;
  }
  return at.y < (l.bar.top + l.bar.bottom) / 2 ? SB_PAGEUP : SB_PAGEDOWN;
}

}  // namespace win32::user
