// Drawing a button in its current state, shared by WM_PAINT and the immediate redraws
// of pressing and focus changes.
#pragma once

#include <win32.h>

namespace win32::user {

struct ButtonState {
  HFONT font = nullptr;
  UINT check = BST_UNCHECKED;
  bool pushed = false;     // drawn pressed
  bool focused = false;
  bool tracking = false;   // the mouse went down on the button and is captured
  bool space_down = false; // the space bar went down on the button
};

// `owner_draw_action` is what an owner-drawn button reports (ODA_DRAWENTIRE for a full
// paint, ODA_SELECT or ODA_FOCUS for the changes); other buttons always draw whole.
void paint_button(HWND hwnd, HDC hdc, const ButtonState& s, UINT owner_draw_action);

}  // namespace win32::user
