#include "nonclient.h"

#include <algorithm>

namespace win32::user {

FrameInsets frame_insets(DWORD style, DWORD ex_style, bool has_menu) {
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
  if (has_menu) insets.top += kMenuBarHeight;
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
