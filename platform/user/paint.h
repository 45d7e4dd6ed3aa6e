// Update regions and WM_PAINT. A window's update region is a union of rectangles in its
// client coordinates; WM_PAINT is made on demand, only when the thread's queue has
// nothing else, for the first window (parents before children) that needs painting.
// Everything here requires the user lock unless it says otherwise.
#pragma once

#include <win32.h>

#include "message_filter.h"
#include "window.h"

namespace win32::user {

// Adds to (RDW_INVALIDATE) or takes from (RDW_VALIDATE) the update region. `rect` is
// in client coordinates, null for the whole client area. RDW_ERASE asks for
// WM_ERASEBKGND, RDW_FRAME for WM_NCPAINT. Children are included as RDW_ALLCHILDREN /
// RDW_NOCHILDREN say, by default when the window lacks WS_CLIPCHILDREN.
void redraw_locked(Window& w, const RECT* rect, UINT flags);

bool wants_paint_locked(const Window& w);

// The next window of the thread that wants WM_PAINT and passes the filter, or null.
HWND window_to_paint_locked(DWORD thread_id, const MessageFilter& filter);

// The whole window (frame, client and children) needs painting, as after it appeared.
void invalidate_everything_locked(Window& w);

// Runs WM_NCPAINT / WM_PAINT now for the window (and, with children, its descendants)
// if they need it. Called without the lock.
void update_now(HWND hwnd, bool children);

// Sends WM_NCPAINT if the frame is pending. Called without the lock.
void paint_frame_if_pending(HWND hwnd);

}  // namespace win32::user
