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

}  // namespace win32::user
