// The non-client metrics of this platform's window frame: one consistent set (the
// classic 3-D look) from which the frame is drawn, client rectangles are computed and
// AdjustWindowRect answers.
#pragma once

#include <win32.h>

namespace win32::user {

constexpr int kCaptionHeight = 19;  // includes the line under the caption
constexpr int kMenuBarHeight = 19;
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

// How far the client area sits inside the window rectangle for this style.
FrameInsets frame_insets(DWORD style, DWORD ex_style, bool has_menu);

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

FrameLayout frame_layout(DWORD style, DWORD ex_style, bool has_menu, int width, int height);

// WM_NCHITTEST's answer for a point in window coordinates.
LRESULT hit_test(DWORD style, DWORD ex_style, bool has_menu, int width, int height, POINT at);

}  // namespace win32::user
