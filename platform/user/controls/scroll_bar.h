// The vertical scroll bar a list box with WS_VSCROLL keeps in its own non-client area:
// where its arrows, track and thumb lie, how it is drawn, and what a click on it means.
#pragma once

#include <win32.h>

namespace win32::user {

constexpr int kScrollBarWidth = 16;

struct ScrollRange {
  int position = 0;  // first visible line
  int page = 1;      // lines that fit
  int total = 0;     // lines in all
};

struct ScrollBarLayout {
  RECT bar{};
  RECT up{}, down{};
  RECT thumb{};  // empty when there is no room or nothing to scroll
};

ScrollBarLayout scroll_bar_layout(const RECT& bar, const ScrollRange& range);

void paint_scroll_bar(HDC hdc, const ScrollBarLayout& layout, bool enabled);

// The SB_* code of a click at `at` (same coordinates as the layout), or -1 for none.
int scroll_code_at(const ScrollBarLayout& layout, POINT at);

}  // namespace win32::user
