// What the standard controls share: asking the parent for colours, notifying the
// parent, and drawing the classic 3-D pieces.
#pragma once

#include <win32.h>

namespace win32::user {

// Sends the WM_CTLCOLOR* message to the control's parent (the control itself when it
// has none); an answer that is not a brush gets the default window procedure's colours.
// The DC leaves with the text and background colours the answer set.
HBRUSH control_brush(HWND control, HDC hdc, UINT ctlcolor_message);

// WM_COMMAND(id, code) to the parent.
void notify_parent(HWND control, WORD code);

int control_id(HWND control);

// Raised (button) or sunken frame, two pixels wide, inside `rect`; `rect` shrinks by it.
void draw_3d_frame(HDC hdc, RECT* rect, bool sunken, bool pressed_flat = false);

// The control's client rectangle at (0, 0).
RECT client_rect_of(HWND control);

// A control's text, as WM_GETTEXT gives it.
int control_text(HWND control, char* buffer, int capacity);

}  // namespace win32::user
