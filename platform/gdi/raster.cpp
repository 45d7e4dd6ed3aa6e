// Raster operations, brush patterns and clipped pixel access.
#include "gdi/raster.h"

#include <algorithm>
#include <array>

namespace gdi {

namespace {

constexpr Pixel kAllBits = 0xFFFFFF;

// Hatch patterns, 8 rows of 8 pixels, most significant bit leftmost.
constexpr std::array<std::array<std::uint8_t, 8>, 6> kHatches = {{
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
}};

int wrap(int v, int n) {
  int r = v % n;
  return r < 0 ? r + n : r;
}

}  // namespace

Pixel apply_rop2(int rop2, Pixel pen, Pixel dst) {
  // R2 codes minus one are truth tables indexed by (pen bit << 1) | destination bit.
  unsigned table = static_cast<unsigned>(rop2 - 1) & 0xF;
  Pixel result = 0;
  if (table & 1) result |= ~pen & ~dst;
  if (table & 2) result |= ~pen & dst;
  if (table & 4) result |= pen & ~dst;
  if (table & 8) result |= pen & dst;
  return result & kAllBits;
}

Pixel apply_rop3(std::uint8_t code, Pixel pat, Pixel src, Pixel dst) {
  switch (code) {
    case 0xCC: return src;
    case 0xF0: return pat;
    case 0x00: return 0;
    case 0xFF: return kAllBits;
    case 0x55: return ~dst & kAllBits;
    case 0x33: return ~src & kAllBits;
    case 0x88: return src & dst;
    case 0xEE: return src | dst;
    case 0x66: return src ^ dst;
    case 0x5A: return pat ^ dst;
    default: break;
  }
  // Generic: the code is a truth table indexed by (pattern << 2) | (source << 1) | dest.
  Pixel result = 0;
  for (int i = 0; i < 8; ++i) {
    if (!(code & (1 << i))) continue;
    Pixel p = (i & 4) ? pat : ~pat;
    Pixel s = (i & 2) ? src : ~src;
    Pixel d = (i & 1) ? dst : ~dst;
    result |= p & s & d;
  }
  return result & kAllBits;
}

BrushPaint BrushPaint::solid(Pixel color) {
  BrushPaint paint;
  paint.null_ = false;
  paint.colors_ = {color};
  return paint;
}

BrushPaint::BrushPaint(const DeviceContext& dc, HBRUSH handle) {
  std::shared_ptr<Brush> brush = find_brush(handle);
  if (!brush) return;
  origin_ = POINT{dc.origin.x + dc.state.brush_org.x, dc.origin.y + dc.state.brush_org.y};
  const LOGBRUSH& log = brush->log;
  switch (log.lbStyle) {
    case BS_SOLID:
      null_ = false;
      colors_ = {dc.device_color(log.lbColor)};
      break;
    case BS_HATCHED: {
      null_ = false;
      width_ = height_ = 8;
      colors_.assign(64, dc.device_color(log.lbColor));
      opaque_.assign(64, 1);
      Pixel background = dc.device_color(dc.state.bk_color);
      bool fill_gaps = dc.state.bk_mode == OPAQUE;
      const auto& rows = kHatches[log.lbHatch <= HS_DIAGCROSS ? log.lbHatch : 0];
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
          if (!(rows[y] & (0x80 >> x))) {
            colors_[y * 8 + x] = background;
            opaque_[y * 8 + x] = fill_gaps ? 1 : 0;
          }
      break;
    }
    case BS_PATTERN: {
      if (!brush->pattern) return;
      const Surface& pattern = *brush->pattern;
      null_ = false;
      width_ = pattern.width();
      height_ = pattern.height();
      colors_.resize(static_cast<std::size_t>(width_) * height_);
      opaque_.assign(colors_.size(), 1);
      // Monochrome patterns take the DC's colours: 0 bits text colour, 1 bits background.
      Pixel ink = dc.device_color(dc.state.text_color);
      Pixel paper = dc.device_color(dc.state.bk_color);
      for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
          Pixel p = pattern.at(x, y);
          colors_[y * width_ + x] =
              brush->pattern_monochrome ? (p ? paper : ink) : dc.device_color(to_colorref(p));
        }
      break;
    }
    default: break;  // BS_NULL
  }
}

int BrushPaint::index(int sx, int sy) const {
  if (width_ == 1 && height_ == 1) return 0;
  return wrap(sy - origin_.y, height_) * width_ + wrap(sx - origin_.x, width_);
}

bool BrushPaint::paints(int sx, int sy) const { return !null_ && opaque_[index(sx, sy)]; }
Pixel BrushPaint::at(int sx, int sy) const { return colors_[index(sx, sy)]; }

Canvas::Canvas(const DeviceContext& dc) : surface_(dc.surface) {
  if (!surface_) return;
  clip_ = dc.effective_clip();
  lock_ = std::unique_lock<std::mutex>(surface_->mutex());
}

void Canvas::plot(int sx, int sy, Pixel color, int rop2) {
  if (!clip_.contains(sx, sy)) return;
  Pixel& d = surface_->row(sy)[sx];
  d = rop2 == R2_COPYPEN ? color : apply_rop2(rop2, color, d);
}

void Canvas::fill(const RECT& area, const BrushPaint& brush, std::uint8_t rop3) {
  bool pattern = rop3_uses_pattern(rop3);
  if (pattern && brush.null()) return;
  // Erasing backgrounds with a solid brush is the common case: plain row fills.
  bool plain_fill = rop3 == 0xF0 && brush.uniform();
  for (const RECT& c : clip_.rects()) {
    RECT r = rect_intersection(c, area);
    for (int y = r.top; y < r.bottom; ++y) {
      Pixel* row = surface_->row(y);
      if (plain_fill) {
        std::fill(row + r.left, row + r.right, brush.at(0, 0));
        continue;
      }
      for (int x = r.left; x < r.right; ++x) {
        if (pattern && !brush.paints(x, y)) continue;
        row[x] = apply_rop3(rop3, pattern ? brush.at(x, y) : 0, 0, row[x]);
      }
    }
  }
}

void Canvas::fill_rop2(const RECT& area, const BrushPaint& brush, int rop2) {
  if (brush.null()) return;
  for (const RECT& c : clip_.rects()) {
    RECT r = rect_intersection(c, area);
    for (int y = r.top; y < r.bottom; ++y) {
      Pixel* row = surface_->row(y);
      for (int x = r.left; x < r.right; ++x)
        if (brush.paints(x, y)) row[x] = apply_rop2(rop2, brush.at(x, y), row[x]);
    }
  }
}

}  // namespace gdi
