// Creating pens, brushes, fonts and palettes.
#include <algorithm>
#include <cstring>

#include "gdi/device_context.h"
#include "gdi/gdi_error.h"
#include "gdi/objects.h"

using gdi::Lock;

namespace {

template <typename H>
H fail_parameter() {
  gdi::set_error(gdi::kErrorInvalidParameter);
  return nullptr;
}

// Largest number of entries a palette may have (a WORD count, as in LOGPALETTE).
constexpr int kMaxPaletteEntries = 0xFFFF;

}  // namespace

HPEN WINAPI CreatePen(int style, int width, COLORREF color) {
  LOGPEN log{static_cast<UINT>(style), POINT{width, 0}, color};
  return CreatePenIndirect(&log);
}

HPEN WINAPI CreatePenIndirect(const LOGPEN* lplp) {
  if (!lplp || (lplp->lopnStyle & PS_STYLE_MASK) > PS_INSIDEFRAME) return fail_parameter<HPEN>();
  Lock lock;
  auto pen = std::make_shared<gdi::Pen>();
  pen->log = *lplp;
  pen->log.lopnStyle &= PS_STYLE_MASK;
  pen->log.lopnWidth.x = std::max<LONG>(lplp->lopnWidth.x, 0);
  pen->log.lopnWidth.y = 0;
  return gdi::handle_cast<HPEN>(gdi::insert_object(pen));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF color) {
  LOGBRUSH log{BS_SOLID, color, 0};
  return CreateBrushIndirect(&log);
}

HBRUSH WINAPI CreateHatchBrush(int hatch, COLORREF color) {
  LOGBRUSH log{BS_HATCHED, color, static_cast<ULONG_PTR>(hatch)};
  return CreateBrushIndirect(&log);
}

HBRUSH WINAPI CreatePatternBrush(HBITMAP hbm) {
  LOGBRUSH log{BS_PATTERN, 0, reinterpret_cast<ULONG_PTR>(hbm)};
  return CreateBrushIndirect(&log);
}

HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* lplb) {
  if (!lplb) return fail_parameter<HBRUSH>();
  Lock lock;
  auto brush = std::make_shared<gdi::Brush>();
  brush->log = *lplb;
  switch (lplb->lbStyle) {
    case BS_SOLID: brush->log.lbHatch = 0; break;
    case BS_NULL: brush->log = LOGBRUSH{BS_NULL, 0, 0}; break;
    case BS_HATCHED:
      if (lplb->lbHatch > HS_DIAGCROSS) return fail_parameter<HBRUSH>();
      break;
    case BS_PATTERN: {
      std::shared_ptr<gdi::Bitmap> bm =
          gdi::find_bitmap(reinterpret_cast<HGDIOBJ>(lplb->lbHatch));
      if (!bm) return nullptr;
      // The brush keeps its own copy: the bitmap may be deleted right after.
      std::lock_guard pixels_lock(bm->pixels->mutex());
      brush->pattern = std::make_shared<gdi::Surface>(bm->pixels->width(), bm->pixels->height());
      for (int y = 0; y < bm->pixels->height(); ++y)
        std::copy_n(bm->pixels->row(y), bm->pixels->width(), brush->pattern->row(y));
      brush->pattern_monochrome = bm->monochrome();
      brush->log.lbColor = 0;
      break;
    }
    default: return fail_parameter<HBRUSH>();
  }
  return gdi::handle_cast<HBRUSH>(gdi::insert_object(brush));
}

HFONT WINAPI CreateFontIndirectA(const LOGFONTA* lplf) {
  if (!lplf) return fail_parameter<HFONT>();
  Lock lock;
  // Every font draws with the system font; the LOGFONT is kept for GetObjectA.
  auto font = std::make_shared<gdi::Font>();
  font->log = *lplf;
  font->log.lfFaceName[LF_FACESIZE - 1] = '\0';
  return gdi::handle_cast<HFONT>(gdi::insert_object(font));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR faceName) {
  LOGFONTA log{};
  log.lfHeight = height;
  log.lfWidth = width;
  log.lfEscapement = escapement;
  log.lfOrientation = orientation;
  log.lfWeight = weight;
  log.lfItalic = static_cast<BYTE>(italic);
  log.lfUnderline = static_cast<BYTE>(underline);
  log.lfStrikeOut = static_cast<BYTE>(strikeOut);
  log.lfCharSet = static_cast<BYTE>(charSet);
  log.lfOutPrecision = static_cast<BYTE>(outPrecision);
  log.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  log.lfQuality = static_cast<BYTE>(quality);
  log.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  if (faceName) std::strncpy(log.lfFaceName, faceName, LF_FACESIZE - 1);
  return CreateFontIndirectA(&log);
}

HPALETTE WINAPI CreatePalette(const LOGPALETTE* plpal) {
  if (!plpal || plpal->palNumEntries == 0 || plpal->palNumEntries > kMaxPaletteEntries)
    return fail_parameter<HPALETTE>();
  Lock lock;
  auto palette = std::make_shared<gdi::Palette>();
  palette->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
  return gdi::handle_cast<HPALETTE>(gdi::insert_object(palette));
}

HPALETTE WINAPI SelectPalette(HDC hdc, HPALETTE hpal, BOOL forceBackground) {
  Lock lock;
  std::shared_ptr<gdi::DeviceContext> dc = gdi::find_dc(hdc);
  if (!dc || !gdi::find_palette(hpal)) return nullptr;
  HPALETTE previous = dc->state.palette;
  gdi::DcState old_selection;
  old_selection.palette = previous;
  gdi::DcState new_selection;
  new_selection.palette = hpal;
  gdi::retain_state(new_selection);
  gdi::release_state(old_selection);
  dc->state.palette = hpal;
  return previous;
}

UINT WINAPI RealizePalette(HDC hdc) {
  // A true-colour display has no hardware palette to change.
  Lock lock;
  return gdi::find_dc(hdc) ? 0 : GDI_ERROR;
}

UINT WINAPI GetPaletteEntries(HPALETTE hpal, UINT start, UINT count, LPPALETTEENTRY entries) {
  Lock lock;
  std::shared_ptr<gdi::Palette> palette = gdi::find_palette(hpal);
  if (!palette) return 0;
  UINT size = static_cast<UINT>(palette->entries.size());
  if (!entries) return size;
  if (start >= size) return 0;
  UINT n = std::min(count, size - start);
  std::copy_n(palette->entries.begin() + start, n, entries);
  return n;
}
