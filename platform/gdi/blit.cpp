// Bit-block transfers between DCs: BitBlt and StretchBlt with any ternary raster
// operation. The source rectangle is first copied out under the source surface's lock,
// so overlapping copies within one surface work and no two surface locks are ever held
// together. Monochrome and colour meet the Win32 way: a monochrome source paints its
// 0 bits in the destination's text colour and its 1 bits in its background colour; a
// colour source becomes white where it matches the source DC's background colour and
// black elsewhere when the destination is monochrome.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "gdi/dc_call.h"
#include "gdi/gdi_error.h"
#include "gdi/raster.h"

using gdi::DeviceContext;
using gdi::Pixel;

namespace {

constexpr Pixel kWhite = 0xFFFFFF;

// The part of the source that lies on its surface, already in the destination's colours.
struct SourceBlock {
  RECT area{};  // source surface coordinates of the whole requested rectangle
  RECT valid{};
  std::vector<Pixel> pixels;  // of `valid`, row-major

  bool has(int x, int y) const {
    return x >= valid.left && x < valid.right && y >= valid.top && y < valid.bottom;
  }
  const Pixel& at(int x, int y) const {
    return pixels[static_cast<std::size_t>(y - valid.top) * (valid.right - valid.left) +
                  (x - valid.left)];
  }
};

SourceBlock read_source(const DeviceContext& src, const DeviceContext& dst, RECT area) {
  SourceBlock block;
  block.area = area;
  if (!src.surface) return block;
  Pixel src_bk = src.device_color(src.state.bk_color);
  Pixel dst_text = dst.device_color(dst.state.text_color);
  Pixel dst_bk = dst.device_color(dst.state.bk_color);
  std::lock_guard lock(src.surface->mutex());
  block.valid = gdi::rect_intersection(area, src.surface->bounds());
  block.pixels.reserve(static_cast<std::size_t>(block.valid.right - block.valid.left) *
                       (block.valid.bottom - block.valid.top));
  for (int y = block.valid.top; y < block.valid.bottom; ++y) {
    const Pixel* row = src.surface->row(y);
    for (int x = block.valid.left; x < block.valid.right; ++x) {
      Pixel p = row[x];
      if (src.monochrome && !dst.monochrome) p = p ? dst_bk : dst_text;
      else if (!src.monochrome && dst.monochrome) p = p == src_bk ? kWhite : 0;
      block.pixels.push_back(p);
    }
  }
  return block;
}

// Maps destination offsets to source ranges along one axis: destination pixel i takes
// source pixels [from(i), to(i)), mirrored when the two extents have opposite signs.
struct AxisMap {
  long long dst_len;
  long long src_len;
  bool mirror;
  long long from(long long i) const {
    if (mirror) i = dst_len - 1 - i;
    return i * src_len / dst_len;
  }
  long long to(long long i) const {
    if (mirror) i = dst_len - 1 - i;
    return std::max(from_plain(i) + 1, (i + 1) * src_len / dst_len);
  }
  long long from_plain(long long i) const { return i * src_len / dst_len; }
};

// Combines the source pixels a destination pixel covers according to the stretch mode:
// shrinking with BLACKONWHITE keeps black (AND), WHITEONBLACK keeps white (OR), the
// others keep one pixel.
bool sample(const SourceBlock& src, int mode, long long x0, long long x1, long long y0,
            long long y1, Pixel& out) {
  if (mode != BLACKONWHITE && mode != WHITEONBLACK) {
    x1 = x0 + 1;
    y1 = y0 + 1;
  }
  bool any = false;
  Pixel acc = mode == BLACKONWHITE ? kWhite : 0;
  for (long long y = y0; y < y1; ++y)
    for (long long x = x0; x < x1; ++x) {
      int sx = static_cast<int>(src.area.left + x), sy = static_cast<int>(src.area.top + y);
      if (!src.has(sx, sy)) continue;
      Pixel p = src.at(sx, sy);
      if (!any && mode != BLACKONWHITE && mode != WHITEONBLACK) acc = p;
      else acc = mode == BLACKONWHITE ? (acc & p) : (acc | p);
      any = true;
    }
  out = acc;
  return any;
}

BOOL stretch(HDC hdc_dst, int xd, int yd, int wd, int hd, HDC hdc_src, int xs, int ys, int ws,
             int hs, DWORD rop) {
  std::uint8_t code = gdi::rop3_index(rop);
  bool uses_source = gdi::rop3_uses_source(code);
  gdi::Lock lock;
  std::shared_ptr<DeviceContext> dst = gdi::find_dc(hdc_dst);
  if (!dst) return FALSE;
  std::shared_ptr<DeviceContext> src;
  if (uses_source) {
    src = gdi::find_dc(hdc_src);
    if (!src) return FALSE;
    if (ws == 0 || hs == 0) return FALSE;
  }
  if (wd == 0 || hd == 0) return TRUE;

  RECT dst_rect = gdi::rect_normalized(dst->to_surface(
      RECT{xd, yd, gdi::add_clamped(xd, wd), gdi::add_clamped(yd, hd)}));
  SourceBlock block;
  AxisMap mx{dst_rect.right - dst_rect.left, 1, false};
  AxisMap my{dst_rect.bottom - dst_rect.top, 1, false};
  if (uses_source) {
    RECT src_rect = gdi::rect_normalized(
        src->to_surface(RECT{xs, ys, gdi::add_clamped(xs, ws), gdi::add_clamped(ys, hs)}));
    mx = AxisMap{mx.dst_len, src_rect.right - src_rect.left, (wd < 0) != (ws < 0)};
    my = AxisMap{my.dst_len, src_rect.bottom - src_rect.top, (hd < 0) != (hs < 0)};
    block = read_source(*src, *dst, src_rect);
  }

  gdi::Canvas canvas(*dst);
  if (!canvas.ready()) return TRUE;
  gdi::BrushPaint pattern;
  bool uses_pattern = gdi::rop3_uses_pattern(code);
  if (uses_pattern) pattern = gdi::BrushPaint(*dst, dst->state.brush);
  bool same_size = mx.src_len == mx.dst_len && my.src_len == my.dst_len;
  int mode = same_size ? COLORONCOLOR : dst->state.stretch_mode;
  bool direct = uses_source && same_size && !mx.mirror && !my.mirror;
  for (const RECT& c : canvas.clip().rects()) {
    RECT r = gdi::rect_intersection(c, dst_rect);
    for (int y = r.top; y < r.bottom; ++y) {
      Pixel* row = canvas.surface().row(y);
      long long iy = y - dst_rect.top;
      if (direct && code == 0xCC) {
        // A plain copy: the valid part of the source row in one go.
        int sy = block.area.top + static_cast<int>(iy);
        int dx = block.area.left - dst_rect.left;
        int from = std::max<int>(r.left, block.valid.left - dx);
        int to = std::min<int>(r.right, block.valid.right - dx);
        if (sy < block.valid.top || sy >= block.valid.bottom || from >= to) continue;
        const Pixel* src_row = &block.at(from + dx, sy);
        std::copy(src_row, src_row + (to - from), row + from);
        continue;
      }
      for (int x = r.left; x < r.right; ++x) {
        Pixel s = 0;
        if (direct) {
          // One-to-one copies (BitBlt) index the source directly.
          int sx = block.area.left + (x - dst_rect.left), sy = block.area.top + static_cast<int>(iy);
          if (!block.has(sx, sy)) continue;
          s = block.at(sx, sy);
        } else if (uses_source) {
          long long ix = x - dst_rect.left;
          if (!sample(block, mode, mx.from(ix), mx.to(ix), my.from(iy), my.to(iy), s)) continue;
        }
        if (uses_pattern && !pattern.paints(x, y)) continue;
        row[x] = gdi::apply_rop3(code, uses_pattern ? pattern.at(x, y) : 0, s, row[x]);
      }
    }
  }
  return TRUE;
}

}  // namespace

BOOL WINAPI BitBlt(HDC hdcDest, int x, int y, int width, int height, HDC hdcSrc, int xSrc,
                   int ySrc, DWORD rop) {
  return stretch(hdcDest, x, y, width, height, hdcSrc, xSrc, ySrc, width, height, rop);
}

BOOL WINAPI StretchBlt(HDC hdcDest, int xDest, int yDest, int wDest, int hDest, HDC hdcSrc,
                       int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop) {
  return stretch(hdcDest, xDest, yDest, wDest, hDest, hdcSrc, xSrc, ySrc, wSrc, hSrc, rop);
}
