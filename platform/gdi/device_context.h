// Device contexts: the drawing state (selected objects, colours, modes, origins, clip)
// and where the pixels go. A window DC draws into a top-level window's surface at an
// origin, limited to a visible region the window manager gives it; a memory DC draws
// into the bitmap selected into it.
//
// Coordinates: logical (what callers pass) -> device (relative to the DC's origin:
// logical - window origin + viewport origin) -> surface (device + DC origin).
#pragma once

#include <win32.h>

#include <memory>
#include <optional>
#include <vector>

#include "gdi/clip_region.h"
#include "gdi/objects.h"
#include "gdi/surface.h"

namespace gdi {

// a + b limited to the coordinate range GDI works in, so that no far-off coordinate
// overflows on its way to the surface.
LONG add_clamped(long long a, long long b);
inline LONG shift(long long a, long long b) { return add_clamped(a, b); }

struct DcState {
  HPEN pen = nullptr;
  HBRUSH brush = nullptr;
  HFONT font = nullptr;
  HBITMAP bitmap = nullptr;  // memory DCs only
  HPALETTE palette = nullptr;
  COLORREF bk_color = RGB(255, 255, 255);
  COLORREF text_color = RGB(0, 0, 0);
  int bk_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int map_mode = MM_TEXT;
  int stretch_mode = BLACKONWHITE;
  UINT text_align = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  POINT position{0, 0};
  POINT viewport_org{0, 0};
  POINT window_org{0, 0};
  POINT brush_org{0, 0};
  // Application clip in device coordinates; none means "no clipping beyond visible".
  std::optional<ClipRegion> clip;
};

struct DeviceContext : GdiObject {
  explicit DeviceContext(bool memory_dc) : GdiObject(memory_dc ? OBJ_MEMDC : OBJ_DC) {}

  bool memory() const { return type == OBJ_MEMDC; }

  // Window DCs: set by the window manager. Memory DCs: the selected bitmap's pixels.
  std::shared_ptr<Surface> surface;
  bool monochrome = false;  // drawing into a 1 bpp bitmap
  POINT origin{0, 0};       // device (0,0) in surface coordinates
  ClipRegion visible;       // surface coordinates; memory DCs: the whole bitmap

  DcState state;
  std::vector<DcState> saved;

  POINT to_device(int x, int y) const {
    return POINT{shift(x, state.viewport_org.x - static_cast<long long>(state.window_org.x)),
                 shift(y, state.viewport_org.y - static_cast<long long>(state.window_org.y))};
  }
  POINT to_surface(int x, int y) const {
    POINT d = to_device(x, y);
    return POINT{shift(d.x, origin.x), shift(d.y, origin.y)};
  }
  RECT to_surface(const RECT& r) const;
  // Where drawing may land, in surface coordinates: visible region, application clip
  // and the surface's own bounds.
  ClipRegion effective_clip() const;
  // Colours as they land on this DC's pixels: monochrome targets get black or white.
  Pixel device_color(COLORREF c) const;
};

// The live DC of a handle, or null (ERROR_INVALID_HANDLE).
std::shared_ptr<DeviceContext> find_dc(HDC hdc);

// Makes a DC with the default state (stock pen, brush, font, palette) selected.
std::shared_ptr<DeviceContext> make_dc(bool memory_dc);
// Drops every selection the DC and its saved states hold; used before it goes away.
void release_selections(DeviceContext& dc);
// Counts one more reference to every object a state selects (SaveDC) or one less.
void retain_state(const DcState& state);
void release_state(const DcState& state);
// Points a memory DC at the pixels of the bitmap selected into it.
void bind_selected_bitmap(DeviceContext& dc);

}  // namespace gdi
