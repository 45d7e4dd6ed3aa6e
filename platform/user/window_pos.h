// Moving, sizing, z-order and visibility changes, with Windows' messages:
// WM_WINDOWPOSCHANGING, WM_NCCALCSIZE (when the size or frame changes), then
// WM_WINDOWPOSCHANGED, whose default handling sends WM_SIZE and WM_MOVE.
#pragma once

#include <win32.h>

namespace win32::user {

// Internal flags WM_WINDOWPOSCHANGED carries when the client area kept its size or
// place, as on Windows.
constexpr UINT kSwpNoClientSize = 0x0800;
constexpr UINT kSwpNoClientMove = 0x1000;

BOOL set_window_pos(HWND hwnd, HWND after, int x, int y, int cx, int cy, UINT flags);

// The MINMAXINFO a window would use now (after WM_GETMINMAXINFO).
MINMAXINFO min_max_info(HWND hwnd);

}  // namespace win32::user
