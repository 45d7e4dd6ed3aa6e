// The non-client metrics of this platform's window frame: one consistent set (the
// classic 3-D look) from which the frame is drawn, client rectangles are computed and
// AdjustWindowRect answers.
#pragma once

#include <win32.h>

namespace win32::user {

constexpr int kCaptionHeight = 19;  // includes the line under the caption
constexpr int kMenuBarHeight = 19;  // one row of the menu bar
constexpr int kSizingFrame = 4;
constexpr int kDialogFrame = 3;
constexpr int kThinBorder = 1;
constexpr int kClientEdge = 2;

struct FrameInsets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// How far the client area sits inside the window rectangle for this style, with a menu
// bar of `menu_rows` rows (0: no menu bar). A bar that does not fit the window's width
// wraps into more rows, and the frame grows by them.
FrameInsets frame_insets(DWORD style, DWORD ex_style, int menu_rows);

// The client rectangle for a window rectangle (same coordinates).
RECT client_from_window(const RECT& window, const FrameInsets& insets);

// Where the parts of the frame lie, in window coordinates (0,0 = the window's corner).
// Empty rectangles for parts the style does not have.
struct FrameLayout {
  RECT caption{};     // the caption bar, buttons included
  RECT icon{};        // the system-menu icon at the caption's left
  RECT close_box{};
  RECT max_box{};
  RECT min_box{};
  RECT menu_bar{};
  RECT client{};
  int border = 0;
};

FrameLayout frame_layout(DWORD style, DWORD ex_style, int menu_rows, int width, int height);

// How wide the menu bar of a window of this style and width is: the room its items have
// on each row.
int menu_bar_width(DWORD style, DWORD ex_style, int width);

// WM_NCHITTEST's answer for a point in window coordinates.
LRESULT hit_test(DWORD style, DWORD ex_style, int menu_rows, int width, int height, POINT at);

}  // namespace win32::user
