// Text output and measurement with the system font: TextOutA, ExtTextOutA, extents,
// metrics and the dialog base units derived from them.
#include <algorithm>
#include <cstring>

#include "gdi/dc_call.h"
#include "gdi/gdi_error.h"
#include "gdi/system_font.h"
#include "gdi/text_render.h"

using gdi::Canvas;
using gdi::DeviceContext;
using gdi::with_dc;

namespace gdi {

int system_text_width(const char* text, int n) {
  int width = 0;
  for (int i = 0; i < n; ++i) width += system_glyph(static_cast<unsigned char>(text[i])).advance;
  return width;
}

int system_font_average_width() {
  static const int average = [] {
    const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return (system_text_width(letters, 52) / 26 + 1) / 2;
  }();
  return average;
}

int system_font_max_width() {
  int widest = 0;
  for (const SystemFontGlyph& g : kSystemFontGlyphs) widest = std::max<int>(widest, g.advance);
  return widest;
}

int render_text(const DeviceContext& dc, Canvas& canvas, int sx, int sy, const char* text, int n,
                const INT* dx, bool background, const RECT* limit) {
  Pixel ink = dc.device_color(dc.state.text_color);
  Pixel paper = dc.device_color(dc.state.bk_color);
  ClipRegion clip = canvas.clip();
  if (limit) clip.intersect(*limit);
  RECT reach = clip.bounds();
  Surface& surface = canvas.surface();
  int x = sx;
  for (int i = 0; i < n; ++i) {
    const SystemFontGlyph& g = system_glyph(static_cast<unsigned char>(text[i]));
    int advance = dx ? dx[i] : g.advance;
    bool visible = x + std::max<int>(advance, g.advance) > reach.left && x < reach.right &&
                   sy + kSystemFontHeight > reach.top && sy < reach.bottom;
    if (visible) {
      if (background) {
        RECT cell{x, sy, x + advance, sy + kSystemFontHeight};
        for (const RECT& c : clip.rects()) {
          RECT r = rect_intersection(c, cell);
          for (int y = r.top; y < r.bottom; ++y) std::fill(surface.row(y) + r.left, surface.row(y) + r.right, paper);
        }
      }
      for (int y = 0; y < kSystemFontHeight; ++y) {
        if (!g.rows[y]) continue;
        for (int gx = 0; gx < g.advance; ++gx)
          if (glyph_ink(g, gx, y) && clip.contains(x + gx, sy + y)) surface.row(sy + y)[x + gx] = ink;
      }
    }
    x = add_clamped(x, advance);
    if (x >= reach.right && !dx) {
      // Everything further right is out of sight; the advance still counts.
      x = add_clamped(x, system_text_width(text + i + 1, n - i - 1));
      break;
    }
  }
  return x - sx;
}

void render_underline(const DeviceContext& dc, Canvas& canvas, int sx, int sy, int width,
                      const RECT* limit) {
  ClipRegion clip = canvas.clip();
  if (limit) clip.intersect(*limit);
  Pixel ink = dc.device_color(dc.state.text_color);
  int y = sy + kSystemFontAscent + 1;
  for (int x = sx; x < sx + width; ++x)
    if (clip.contains(x, y)) canvas.surface().row(y)[x] = ink;
}

}  // namespace gdi

namespace {

// Where the top-left of the text cell goes for a reference point and the DC's alignment.
POINT aligned_origin(const DeviceContext& dc, POINT ref, int width) {
  UINT align = dc.state.text_align;
  POINT p = ref;
  if ((align & TA_CENTER) == TA_CENTER) p.x -= width / 2;
  else if (align & TA_RIGHT) p.x -= width;
  if ((align & TA_BASELINE) == TA_BASELINE) p.y -= gdi::kSystemFontAscent;
  else if (align & TA_BOTTOM) p.y -= gdi::kSystemFontHeight;
  return p;
}

BOOL text_out(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR text, int count,
              const INT* dx) {
  if (count < 0 || (count > 0 && !text)) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return FALSE;
  }
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    int width = 0;
    if (dx) for (int i = 0; i < count; ++i) width += dx[i];
    else width = gdi::system_text_width(text, count);
    bool update_cp = dc.state.text_align & TA_UPDATECP;
    POINT ref = update_cp ? dc.state.position : POINT{x, y};
    POINT at = aligned_origin(dc, ref, width);
    Canvas canvas(dc);
    if (canvas.ready()) {
      RECT limit{};
      bool has_rect = lprect != nullptr && (options & (ETO_OPAQUE | ETO_CLIPPED));
      if (has_rect) limit = gdi::rect_normalized(dc.to_surface(*lprect));
      if (lprect && (options & ETO_OPAQUE))
        canvas.fill(limit, gdi::BrushPaint::solid(dc.device_color(dc.state.bk_color)),
                    gdi::rop3_index(PATCOPY));
      POINT s = dc.to_surface(at.x, at.y);
      bool background = dc.state.bk_mode == OPAQUE;
      gdi::render_text(dc, canvas, s.x, s.y, text, count, dx, background,
                       (options & ETO_CLIPPED) && lprect ? &limit : nullptr);
    }
    if (update_cp) {
      // The current position moves past the text, as it would for left-aligned text.
      if ((dc.state.text_align & TA_CENTER) != TA_CENTER && !(dc.state.text_align & TA_RIGHT))
        dc.state.position.x = gdi::add_clamped(dc.state.position.x, width);
      else if ((dc.state.text_align & TA_CENTER) != TA_CENTER)
        dc.state.position.x = gdi::add_clamped(dc.state.position.x, -static_cast<long long>(width));
    }
    return TRUE;
  });
}

}  // namespace

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
  return text_out(hdc, x, y, 0, nullptr, text, count, nullptr);
}

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR text,
                        UINT count, const INT* dx) {
  if (count > 0x7FFFFFFF) return FALSE;
  return text_out(hdc, x, y, options, lprect, text, static_cast<int>(count), dx);
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  if (!size || count < 0 || (count > 0 && !text)) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return FALSE;
  }
  return with_dc(hdc, FALSE, [&](DeviceContext&) {
    *size = SIZE{gdi::system_text_width(text, count), gdi::kSystemFontHeight};
    return TRUE;
  });
}

BOOL WINAPI GetTextExtentPointA(HDC hdc, LPCSTR text, int count, LPSIZE size) {
  return GetTextExtentPoint32A(hdc, text, count, size);
}

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA tm) {
  if (!tm) return FALSE;
  return with_dc(hdc, FALSE, [&](DeviceContext&) {
    *tm = TEXTMETRICA{};
    tm->tmHeight = gdi::kSystemFontHeight;
    tm->tmAscent = gdi::kSystemFontAscent;
    tm->tmDescent = gdi::kSystemFontDescent;
    tm->tmInternalLeading = gdi::kSystemFontInternalLeading;
    tm->tmExternalLeading = 0;
    tm->tmAveCharWidth = gdi::system_font_average_width();
    tm->tmMaxCharWidth = gdi::system_font_max_width();
    tm->tmWeight = gdi::kSystemFontWeight;
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = static_cast<BYTE>(gdi::kSystemFontFirst);
    tm->tmLastChar = static_cast<BYTE>(gdi::kSystemFontLast);
    tm->tmDefaultChar = gdi::kSystemFontDefaultChar;
    tm->tmBreakChar = ' ';
    tm->tmPitchAndFamily = TMPF_FIXED_PITCH | FF_SWISS;
    tm->tmCharSet = ANSI_CHARSET;
    return TRUE;
  });
}

BOOL WINAPI GetCharWidthA(HDC hdc, UINT first, UINT last, LPINT widths) {
  if (!widths || first > last || last > 0xFF) return FALSE;
  return with_dc(hdc, FALSE, [&](DeviceContext&) {
    for (UINT c = first; c <= last; ++c)
      widths[c - first] = gdi::system_glyph(static_cast<unsigned char>(c)).advance;
    return TRUE;
  });
}

int WINAPI GetTextFaceA(HDC hdc, int count, LPSTR face) {
  static const char kFace[] = "System";
  return with_dc(hdc, 0, [&](DeviceContext&) {
    if (!face) return static_cast<int>(sizeof kFace);
    if (count <= 0) return 0;
    int n = std::min<int>(count - 1, static_cast<int>(sizeof kFace) - 1);
    std::memcpy(face, kFace, static_cast<std::size_t>(n));
    face[n] = '\0';
    return n;
  });
}

LONG WINAPI GetDialogBaseUnits(void) {
  return MAKELONG(gdi::system_font_average_width(), gdi::kSystemFontHeight);
}
