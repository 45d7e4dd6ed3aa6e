// A window move that keeps a window which fits the screen from ending beyond its right
// or bottom edge. Negative positions and windows larger than the screen are left alone.
#include "genui/bld_helpers.h"

void BLDMoveWindow(HWND hWnd, int x, int y, int cx, int cy, BOOL bRepaint) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  // In 64 bits, so a position near the end of the int range cannot overflow the sum.
  if (cx <= screenWidth && static_cast<long long>(x) + cx > screenWidth) x = screenWidth - cx;
  if (cy <= screenHeight && static_cast<long long>(y) + cy > screenHeight) y = screenHeight - cy;
  MoveWindow(hWnd, x, y, cx, cy, bRepaint);
}
