// Win32 calls that create, save and query device contexts and change their state.
#include <algorithm>
#include <utility>

#include "gdi/dc_call.h"
#include "gdi/device_context.h"
#include "gdi/gdi_error.h"
#include "gdi/window_dc.h"

using gdi::DeviceContext;
using gdi::find_dc;
using gdi::Lock;
using gdi::with_dc;

namespace {

constexpr int kLogPixels = 96;
// Most SaveDC levels a DC keeps; deeper saves fail instead of growing without bound.
constexpr std::size_t kMaxSavedStates = 1024;

}  // namespace

HDC WINAPI CreateCompatibleDC(HDC hdc) {
  Lock lock;
  if (hdc && !find_dc(hdc)) return nullptr;
  std::shared_ptr<DeviceContext> dc = gdi::make_dc(true);
  HDC result = gdi::handle_cast<HDC>(gdi::insert_object(dc));
  if (!result) gdi::release_selections(*dc);
  return result;
}

BOOL WINAPI DeleteDC(HDC hdc) {
  Lock lock;
  std::shared_ptr<DeviceContext> dc = find_dc(hdc);
  // Window DCs go back through ReleaseDC / EndPaint, never DeleteDC.
  if (!dc || !dc->memory()) return FALSE;
  gdi::release_selections(*dc);
  gdi::erase_object(hdc);
  return TRUE;
}

int WINAPI SaveDC(HDC hdc) {
  return with_dc(hdc, 0, [](DeviceContext& dc) {
    if (dc.saved.size() >= kMaxSavedStates) return 0;
    gdi::retain_state(dc.state);
    dc.saved.push_back(dc.state);
    return static_cast<int>(dc.saved.size());
  });
}

BOOL WINAPI RestoreDC(HDC hdc, int nSavedDC) {
  return with_dc(hdc, FALSE, [nSavedDC](DeviceContext& dc) {
    int depth = static_cast<int>(dc.saved.size());
    int level = nSavedDC < 0 ? depth + 1 + nSavedDC : nSavedDC;
    if (level < 1 || level > depth) return FALSE;
    // The states above the one restored are dropped; the restored one becomes current
    // and keeps the references it already holds.
    while (static_cast<int>(dc.saved.size()) > level) {
      gdi::release_state(dc.saved.back());
      dc.saved.pop_back();
    }
    gdi::release_state(dc.state);
    dc.state = dc.saved.back();
    dc.saved.pop_back();
    if (dc.memory()) gdi::bind_selected_bitmap(dc);
    return TRUE;
  });
}

int WINAPI GetDeviceCaps(HDC hdc, int index) {
  return with_dc(hdc, 0, [index](DeviceContext&) {
    SIZE screen = gdi::GetScreenSize();
    switch (index) {
      case DRIVERVERSION: return 0x4000;
      case TECHNOLOGY: return DT_RASDISPLAY;
      case HORZSIZE: return screen.cx * 254 / (kLogPixels * 10);
      case VERTSIZE: return screen.cy * 254 / (kLogPixels * 10);
      case HORZRES: return static_cast<int>(screen.cx);
      case VERTRES: return static_cast<int>(screen.cy);
      case BITSPIXEL: return 32;
      case PLANES: return 1;
      case NUMBRUSHES:
      case NUMPENS:
      case NUMCOLORS: return -1;
      case NUMFONTS: return 1;
      case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT;
      case LOGPIXELSX:
      case LOGPIXELSY: return kLogPixels;
      case SIZEPALETTE:
      case NUMRESERVED: return 0;
      case COLORRES: return 24;
      default: return 0;
    }
  });
}

int WINAPI SetMapMode(HDC hdc, int mode) {
  // Only MM_TEXT is provided: every caller of this program draws in pixels.
  return with_dc(hdc, 0, [mode](DeviceContext& dc) {
    if (mode != MM_TEXT) {
      gdi::set_error(gdi::kErrorInvalidParameter);
      return 0;
    }
    return std::exchange(dc.state.map_mode, mode);
  });
}

int WINAPI GetMapMode(HDC hdc) {
  return with_dc(hdc, 0, [](DeviceContext& dc) { return dc.state.map_mode; });
}

namespace {

BOOL set_origin(HDC hdc, POINT value, POINT gdi::DcState::*member, LPPOINT old) {
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    if (old) *old = dc.state.*member;
    dc.state.*member = value;
    return TRUE;
  });
}

BOOL get_origin(HDC hdc, POINT gdi::DcState::*member, LPPOINT out) {
  if (!out) return FALSE;
  return with_dc(hdc, FALSE, [&](DeviceContext& dc) {
    *out = dc.state.*member;
    return TRUE;
  });
}

}  // namespace

BOOL WINAPI SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return set_origin(hdc, POINT{x, y}, &gdi::DcState::viewport_org, lppt);
}
BOOL WINAPI GetViewportOrgEx(HDC hdc, LPPOINT lppt) {
  return get_origin(hdc, &gdi::DcState::viewport_org, lppt);
}
BOOL WINAPI SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return set_origin(hdc, POINT{x, y}, &gdi::DcState::window_org, lppt);
}
BOOL WINAPI GetWindowOrgEx(HDC hdc, LPPOINT lppt) {
  return get_origin(hdc, &gdi::DcState::window_org, lppt);
}
BOOL WINAPI SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT lppt) {
  return set_origin(hdc, POINT{x, y}, &gdi::DcState::brush_org, lppt);
}
BOOL WINAPI GetCurrentPositionEx(HDC hdc, LPPOINT lppt) {
  return get_origin(hdc, &gdi::DcState::position, lppt);
}

COLORREF WINAPI SetBkColor(HDC hdc, COLORREF color) {
  return with_dc(hdc, CLR_INVALID,
                 [color](DeviceContext& dc) { return std::exchange(dc.state.bk_color, color); });
}
COLORREF WINAPI GetBkColor(HDC hdc) {
  return with_dc(hdc, CLR_INVALID, [](DeviceContext& dc) { return dc.state.bk_color; });
}
COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
  return with_dc(hdc, CLR_INVALID,
                 [color](DeviceContext& dc) { return std::exchange(dc.state.text_color, color); });
}
COLORREF WINAPI GetTextColor(HDC hdc) {
  return with_dc(hdc, CLR_INVALID, [](DeviceContext& dc) { return dc.state.text_color; });
}

int WINAPI SetBkMode(HDC hdc, int mode) {
  return with_dc(hdc, 0, [mode](DeviceContext& dc) {
    if (mode != TRANSPARENT && mode != OPAQUE) {
      gdi::set_error(gdi::kErrorInvalidParameter);
      return 0;
    }
    return std::exchange(dc.state.bk_mode, mode);
  });
}
int WINAPI GetBkMode(HDC hdc) {
  return with_dc(hdc, 0, [](DeviceContext& dc) { return dc.state.bk_mode; });
}

UINT WINAPI SetTextAlign(HDC hdc, UINT align) {
  return with_dc(hdc, GDI_ERROR,
                 [align](DeviceContext& dc) { return std::exchange(dc.state.text_align, align); });
}
UINT WINAPI GetTextAlign(HDC hdc) {
  return with_dc(hdc, GDI_ERROR, [](DeviceContext& dc) { return dc.state.text_align; });
}

int WINAPI SetROP2(HDC hdc, int rop2) {
  return with_dc(hdc, 0, [rop2](DeviceContext& dc) {
    if (rop2 < R2_BLACK || rop2 > R2_WHITE) {
      gdi::set_error(gdi::kErrorInvalidParameter);
      return 0;
    }
    return std::exchange(dc.state.rop2, rop2);
  });
}
int WINAPI GetROP2(HDC hdc) {
  return with_dc(hdc, 0, [](DeviceContext& dc) { return dc.state.rop2; });
}

int WINAPI SetStretchBltMode(HDC hdc, int mode) {
  return with_dc(hdc, 0, [mode](DeviceContext& dc) {
    if (mode < BLACKONWHITE || mode > HALFTONE) {
      gdi::set_error(gdi::kErrorInvalidParameter);
      return 0;
    }
    return std::exchange(dc.state.stretch_mode, mode);
  });
}
int WINAPI GetStretchBltMode(HDC hdc) {
  return with_dc(hdc, 0, [](DeviceContext& dc) { return dc.state.stretch_mode; });
}

HGDIOBJ WINAPI GetCurrentObject(HDC hdc, UINT type) {
  return with_dc(hdc, HGDIOBJ(nullptr), [type](DeviceContext& dc) -> HGDIOBJ {
    switch (type) {
      case OBJ_PEN: return dc.state.pen;
      case OBJ_BRUSH: return dc.state.brush;
      case OBJ_FONT: return dc.state.font;
      case OBJ_PAL: return dc.state.palette;
      case OBJ_BITMAP: return dc.memory() ? HGDIOBJ(dc.state.bitmap) : nullptr;
      default: return nullptr;
    }
  });
}

int WINAPI IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
  return with_dc(hdc, ERROR, [&](DeviceContext& dc) {
    POINT a = dc.to_device(left, top);
    POINT b = dc.to_device(right, bottom);
    RECT r = gdi::rect_normalized(RECT{a.x, a.y, b.x, b.y});
    if (!dc.state.clip) {
      // Without a clip region the whole device is the starting point.
      RECT all{-gdi::Surface::kMaxSide, -gdi::Surface::kMaxSide, gdi::Surface::kMaxSide,
               gdi::Surface::kMaxSide};
      dc.state.clip = gdi::ClipRegion(all);
    }
    dc.state.clip->intersect(r);
    return dc.state.clip->kind();
  });
}

int WINAPI GetClipBox(HDC hdc, LPRECT lprect) {
  if (!lprect) return ERROR;
  return with_dc(hdc, ERROR, [lprect](DeviceContext& dc) {
    gdi::ClipRegion clip = dc.effective_clip();
    RECT b = clip.bounds();
    // Back from surface to logical coordinates.
    POINT shift = dc.to_surface(0, 0);
    *lprect = RECT{b.left - shift.x, b.top - shift.y, b.right - shift.x, b.bottom - shift.y};
    return clip.kind();
  });
}

int WINAPI SelectClipRgn(HDC hdc, HRGN hrgn) {
  return with_dc(hdc, ERROR, [hrgn](DeviceContext& dc) {
    if (!hrgn) {
      dc.state.clip.reset();
      return dc.effective_clip().kind() == NULLREGION ? NULLREGION : SIMPLEREGION;
    }
    std::shared_ptr<gdi::Region> region = gdi::find_region(hrgn);
    if (!region) return ERROR;
    dc.state.clip = region->area;  // region coordinates are device coordinates
    return dc.state.clip->kind();
  });
}
