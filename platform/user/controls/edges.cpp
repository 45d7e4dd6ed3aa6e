// DrawEdge and DrawFocusRect: the classic 3-D borders and the dotted focus frame, drawn
// with GDI in the system colours.
#include <win32.h>

namespace {

struct EdgeColours {
  int top_left;
  int bottom_right;
};

// One ring of the edge: its two colours depend on raised/sunken and inner/outer.
EdgeColours ring_colours(UINT edge, bool outer) {
  if (outer) {
    if (edge & BDR_RAISEDOUTER) return {COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    if (edge & BDR_SUNKENOUTER) return {COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
  } else {
    if (edge & BDR_RAISEDINNER) return {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    if (edge & BDR_SUNKENINNER) return {COLOR_3DDKSHADOW, COLOR_3DLIGHT};
  }
  return {-1, -1};
}

void line(HDC hdc, int left, int top, int width, int height, int colour) {
  if (colour < 0 || width <= 0 || height <= 0) return;
  RECT r{left, top, left + width, top + height};
  FillRect(hdc, &r, GetSysColorBrush(colour));
}

// Draws one ring inside `r` on the flagged sides and shrinks `r` past it.
void draw_ring(HDC hdc, RECT* r, EdgeColours c, UINT flags) {
  if (c.top_left < 0) return;
  int w = r->right - r->left, h = r->bottom - r->top;
  if (flags & BF_TOP) line(hdc, r->left, r->top, w, 1, c.top_left);
  if (flags & BF_LEFT) line(hdc, r->left, r->top, 1, h, c.top_left);
  if (flags & BF_BOTTOM) line(hdc, r->left, r->bottom - 1, w, 1, c.bottom_right);
  if (flags & BF_RIGHT) line(hdc, r->right - 1, r->top, 1, h, c.bottom_right);
  if (flags & BF_LEFT) ++r->left;
  if (flags & BF_TOP) ++r->top;
  if (flags & BF_RIGHT) --r->right;
  if (flags & BF_BOTTOM) --r->bottom;
}

}  // namespace

BOOL WINAPI DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags) {
  if (!rect) return FALSE;
  RECT r = *rect;
  draw_ring(hdc, &r, ring_colours(edge, true), flags);
  draw_ring(hdc, &r, ring_colours(edge, false), flags);
  if ((flags & BF_MIDDLE) && r.right > r.left && r.bottom > r.top) FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (flags & BF_ADJUST) *rect = r;
  return TRUE;
}

BOOL WINAPI DrawFocusRect(HDC hdc, const RECT* rect) {
  if (!rect) return FALSE;
  // Every other pixel of the outline, inverted, so a second call takes it away again.
  for (int x = rect->left; x < rect->right; x += 2) {
    PatBlt(hdc, x, rect->top, 1, 1, DSTINVERT);
    PatBlt(hdc, x, rect->bottom - 1, 1, 1, DSTINVERT);
  }
  for (int y = rect->top + 2; y < rect->bottom - 1; y += 2) {
    PatBlt(hdc, rect->left, y, 1, 1, DSTINVERT);
    PatBlt(hdc, rect->right - 1, y, 1, 1, DSTINVERT);
  }
  return TRUE;
}
