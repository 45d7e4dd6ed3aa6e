// Lines with the DC's pen. One-pixel lines step with Bresenham's algorithm; wide pens
// stamp a square of the pen's width centred on each step.
#include "gdi/pen_stroke.h"

#include <cmath>
#include <cstdlib>
#include <algorithm>
#include <span>

namespace gdi {

namespace {

// Dash patterns of cosmetic styled pens as (on, off, on, off, ...) runs of pixels.
constexpr int kDash[] = {18, 6};
constexpr int kDot[] = {3, 3};
constexpr int kDashDot[] = {9, 6, 3, 6};
constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

std::span<const int> dash_runs(int style) {
  switch (style) {
    case PS_DASH: return kDash;
    case PS_DOT: return kDot;
    case PS_DASHDOT: return kDashDot;
    case PS_DASHDOTDOT: return kDashDotDot;
    default: return {};
  }
}

bool inside(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Liang-Barsky: cuts the segment a-b to the box; false when nothing of it is inside.
bool clip_segment(const RECT& box, POINT& a, POINT& b) {
  double x0 = a.x, y0 = a.y, dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
  double t0 = 0.0, t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - box.left, box.right - 1 - x0, y0 - box.top, box.bottom - 1 - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    double t = q[i] / p[i];
    if (p[i] < 0.0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  POINT na{static_cast<LONG>(std::lround(x0 + t0 * dx)), static_cast<LONG>(std::lround(y0 + t0 * dy))};
  POINT nb{static_cast<LONG>(std::lround(x0 + t1 * dx)), static_cast<LONG>(std::lround(y0 + t1 * dy))};
  a = na;
  b = nb;
  return true;
}

}  // namespace

PenStroke::PenStroke(const DeviceContext& dc, Canvas& canvas) : canvas_(canvas) {
  std::shared_ptr<Pen> pen = find_pen(dc.state.pen);
  if (!pen) {
    style_ = PS_NULL;
    return;
  }
  style_ = static_cast<int>(pen->log.lopnStyle & PS_STYLE_MASK);
  width_ = pen->log.lopnWidth.x < 1 ? 1 : pen->log.lopnWidth.x;
  // Wide pens are always solid, as for geometric pens drawn by a display driver.
  if (width_ > 1 && style_ >= PS_DASH && style_ <= PS_DASHDOTDOT) style_ = PS_SOLID;
  rop2_ = dc.state.rop2;
  color_ = dc.device_color(pen->log.lopnColor);
  background_ = dc.device_color(dc.state.bk_color);
  opaque_gaps_ = dc.state.bk_mode == OPAQUE;
}

bool PenStroke::in_gap() {
  std::span<const int> runs = dash_runs(style_);
  if (runs.empty()) return false;
  int period = 0;
  for (int r : runs) period += r;
  int at = dash_position_++ % period;
  for (std::size_t i = 0; i < runs.size(); ++i) {
    if (at < runs[i]) return i % 2 == 1;
    at -= runs[i];
  }
  return false;
}

void PenStroke::dot(int x, int y, bool gap) {
  if (gap && !opaque_gaps_) return;
  Pixel c = gap ? background_ : color_;
  if (width_ == 1) {
    canvas_.plot(x, y, c, rop2_);
    return;
  }
  int lo = -(width_ / 2);
  for (int dy = lo; dy < lo + width_; ++dy)
    for (int dx = lo; dx < lo + width_; ++dx) canvas_.plot(x + dx, y + dy, c, rop2_);
}

void PenStroke::line(POINT a, POINT b) {
  if (null()) return;
  // Far-away endpoints are first cut to a box around the surface, so a line from one
  // end of the coordinate space to the other costs no more than one across the surface.
  RECT box = canvas_.surface().bounds();
  int margin = width_ + 2;
  box = RECT{box.left - margin, box.top - margin, box.right + margin, box.bottom + margin};
  bool include_end = false;
  if (!inside(box, a) || !inside(box, b)) {
    POINT ca = a, cb = b;
    if (!clip_segment(box, ca, cb)) return;
    include_end = cb.x != b.x || cb.y != b.y;
    a = ca;
    b = cb;
  }
  long long dx = std::llabs(static_cast<long long>(b.x) - a.x), sx = a.x < b.x ? 1 : -1;
  long long dy = -std::llabs(static_cast<long long>(b.y) - a.y), sy = a.y < b.y ? 1 : -1;
  long long err = dx + dy;
  int x = a.x, y = a.y;
  while (x != b.x || y != b.y) {
    dot(x, y, in_gap());
    long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += static_cast<int>(sx);
    }
    if (e2 <= dx) {
      err += dx;
      y += static_cast<int>(sy);
    }
  }
  if (include_end) dot(x, y, in_gap());
}

void PenStroke::frame(const RECT& r) {
  if (null() || rect_empty(r)) return;
  if (style_ != PS_SOLID && style_ != PS_INSIDEFRAME) {
    POINT corners[] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                       {r.left, r.bottom - 1}, {r.left, r.top}};
    for (int i = 0; i < 4; ++i) line(corners[i], corners[i + 1]);
    return;
  }
  RECT outer = r;
  if (style_ == PS_SOLID && width_ > 1) {
    // A wide pen straddles the outline.
    int lo = width_ / 2, hi = (width_ - 1) - width_ / 2;
    outer = RECT{r.left - lo, r.top - lo, r.right + hi, r.bottom + hi};
  }
  LONG band_x = std::min<LONG>(width_, (outer.right - outer.left + 1) / 2);
  LONG band_y = std::min<LONG>(width_, (outer.bottom - outer.top + 1) / 2);
  BrushPaint ink = BrushPaint::solid(color_);
  RECT bands[] = {
      {outer.left, outer.top, outer.right, outer.top + band_y},
      {outer.left, outer.bottom - band_y, outer.right, outer.bottom},
      {outer.left, outer.top + band_y, outer.left + band_x, outer.bottom - band_y},
      {outer.right - band_x, outer.top + band_y, outer.right, outer.bottom - band_y},
  };
  ClipRegion area;
  for (const RECT& b : bands) area.add(b);
  for (const RECT& b : area.rects()) canvas_.fill_rop2(b, ink, rop2_);
}

}  // namespace gdi
