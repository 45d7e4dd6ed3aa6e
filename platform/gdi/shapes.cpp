// Lines, rectangles, ellipses and single pixels. Win32's pixel rules hold throughout:
// a rectangle covers left..right-1 and top..bottom-1, and a line leaves out its last
// pixel.
#include <algorithm>
#include <cmath>
#include <utility>

#include "gdi/dc_call.h"
#include "gdi/gdi_error.h"
#include "gdi/pen_stroke.h"
#include "gdi/raster.h"
#include "gdi/window_dc.h"

using gdi::BrushPaint;
using gdi::Canvas;
using gdi::DeviceContext;
using gdi::PenStroke;
using gdi::with_dc;

namespace {

// The pixels row y of an ellipse inscribed in a w x h box covers, as [from, to).
std::pair<long long, long long> ellipse_span(long long w, long long h, long long y) {
  if (y < 0 || y >= h) return {0, 0};
  double a = static_cast<double>(w) / 2.0, b = static_cast<double>(h) / 2.0;
  double dy = (static_cast<double>(y) + 0.5 - b) / b;
  double t = 1.0 - dy * dy;
  if (t < 0) return {0, 0};
  double half = a * std::sqrt(t);
  return {std::clamp<long long>(std::llround(a - half), 0, w),
          std::clamp<long long>(std::llround(a + half), 0, w)};
}

}  // namespace

BOOL WINAPI MoveToEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    if (lppt) *lppt = dc.state.position;
    dc.state.position = POINT{x, y};
    return TRUE;
  });
}

BOOL WINAPI LineTo(HDC hdc, int x, int y) {
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    if (canvas.ready()) {
      PenStroke pen(dc, canvas);
      pen.line(dc.to_surface(dc.state.position.x, dc.state.position.y), dc.to_surface(x, y));
    }
    dc.state.position = POINT{x, y};
    return TRUE;
  });
}

BOOL WINAPI Polyline(HDC hdc, const POINT* points, int count) {
  if (!points || count < 2) return FALSE;
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    if (!canvas.ready()) return TRUE;
    PenStroke pen(dc, canvas);
    for (int i = 1; i < count; ++i)
      pen.line(dc.to_surface(points[i - 1].x, points[i - 1].y),
               dc.to_surface(points[i].x, points[i].y));
    return TRUE;
  });
}

BOOL WINAPI Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    if (!canvas.ready()) return TRUE;
    RECT r = gdi::rect_normalized(dc.to_surface(RECT{left, top, right, bottom}));
    PenStroke pen(dc, canvas);
    BrushPaint brush(dc, dc.state.brush);
    if (pen.null()) {
      // Without a pen the filled area is one pixel smaller each way.
      canvas.fill_rop2(RECT{r.left, r.top, r.right - 1, r.bottom - 1}, brush, dc.state.rop2);
      return TRUE;
    }
    int inset = pen.style() == PS_INSIDEFRAME ? pen.width() : (pen.width() + 1) / 2;
    canvas.fill_rop2(RECT{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset},
                     brush, dc.state.rop2);
    pen.frame(r);
    return TRUE;
  });
}

BOOL WINAPI Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    if (!canvas.ready()) return TRUE;
    RECT r = gdi::rect_normalized(dc.to_surface(RECT{left, top, right, bottom}));
    long long w = static_cast<long long>(r.right) - r.left;
    long long h = static_cast<long long>(r.bottom) - r.top;
    if (w <= 0 || h <= 0) return TRUE;
    PenStroke pen(dc, canvas);
    BrushPaint brush(dc, dc.state.brush);
    auto covered = [&](long long x, long long y) {
      auto [from, to] = ellipse_span(w, h, y);
      return x >= from && x < to;
    };
    int thickness = pen.null() ? 0 : pen.width();
    BrushPaint ink = BrushPaint::solid(pen.color());
    // Only the part of the box that can be seen is visited.
    RECT reach = gdi::rect_intersection(canvas.clip().bounds(), r);
    for (long long y = reach.top - r.top; y < reach.bottom - r.top; ++y) {
      auto [from, to] = ellipse_span(w, h, y);
      from = std::max<long long>(from, reach.left - r.left);
      to = std::min<long long>(to, reach.right - r.left);
      for (long long x = from; x < to; ++x) {
        // An outline pixel has an uncovered pixel within the pen's width.
        bool edge = false;
        for (int d = 1; d <= thickness && !edge; ++d)
          edge = !covered(x - d, y) || !covered(x + d, y) || !covered(x, y - d) ||
                 !covered(x, y + d);
        LONG sx = static_cast<LONG>(r.left + x), sy = static_cast<LONG>(r.top + y);
        canvas.fill_rop2(RECT{sx, sy, sx + 1, sy + 1}, edge ? ink : brush, dc.state.rop2);
      }
    }
    return TRUE;
  });
}

COLORREF WINAPI SetPixel(HDC hdc, int x, int y, COLORREF color) {
  return with_dc(hdc, CLR_INVALID, [&](DeviceContext& dc) -> COLORREF {
    Canvas canvas(dc);
    POINT p = dc.to_surface(x, y);
    if (!canvas.ready() || !canvas.clip().contains(p.x, p.y)) return CLR_INVALID;
    gdi::Pixel value = dc.device_color(color);
    canvas.surface().row(p.y)[p.x] = value;
    return gdi::to_colorref(value);
  });
}

COLORREF WINAPI GetPixel(HDC hdc, int x, int y) {
  return with_dc(hdc, CLR_INVALID, [&](DeviceContext& dc) -> COLORREF {
    Canvas canvas(dc);
    POINT p = dc.to_surface(x, y);
    if (!canvas.ready() || !canvas.clip().contains(p.x, p.y)) return CLR_INVALID;
    return gdi::to_colorref(canvas.surface().row(p.y)[p.x]);
  });
}

int WINAPI FillRect(HDC hdc, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) return FALSE;
  HBRUSH brush = gdi::ResolveBrush(hbr);
  if (!brush) return FALSE;
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    if (canvas.ready())
      canvas.fill(gdi::rect_normalized(dc.to_surface(*lprc)), BrushPaint(dc, brush),
                  gdi::rop3_index(PATCOPY));
    return TRUE;
  });
}

int WINAPI FrameRect(HDC hdc, const RECT* lprc, HBRUSH hbr) {
  if (!lprc) return FALSE;
  HBRUSH brush = gdi::ResolveBrush(hbr);
  if (!brush) return FALSE;
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    RECT r = dc.to_surface(*lprc);
    if (!canvas.ready() || gdi::rect_empty(r)) return TRUE;
    BrushPaint paint(dc, brush);
    gdi::ClipRegion border(r);
    border.subtract(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
    for (const RECT& band : border.rects()) canvas.fill(band, paint, gdi::rop3_index(PATCOPY));
    return TRUE;
  });
}

BOOL WINAPI InvertRect(HDC hdc, const RECT* lprc) {
  if (!lprc) return FALSE;
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    if (canvas.ready())
      canvas.fill(gdi::rect_normalized(dc.to_surface(*lprc)), BrushPaint(),
                  gdi::rop3_index(DSTINVERT));
    return TRUE;
  });
}

BOOL WINAPI PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
  std::uint8_t code = gdi::rop3_index(rop);
  if (gdi::rop3_uses_source(code)) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return FALSE;
  }
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    Canvas canvas(dc);
    RECT r = gdi::rect_normalized(dc.to_surface(RECT{x, y, gdi::add_clamped(x, width), gdi::add_clamped(y, height)}));
    if (canvas.ready()) canvas.fill(r, BrushPaint(dc, dc.state.brush), code);
    return TRUE;
  });
}
