// Icons and cursors (HICON / HCURSOR share one handle table). An icon is a colour
// (XOR) image and an AND mask; drawing computes screen = (screen AND mask) XOR colour,
// so mask 0 shows the colour, mask 1 with colour 0 is transparent and mask 1 with a
// colour inverts the screen.
//
// Platform-only: the window manager uses find_icon/composite_icon for cursors.
#pragma once

#include <win32.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "gdi/surface.h"

namespace gdi {

struct Icon {
  int width = 0;
  int height = 0;
  bool is_icon = true;
  POINT hotspot{0, 0};
  std::vector<Pixel> color;         // width * height, row-major, top-down
  std::vector<std::uint8_t> mask;   // 1: keep the screen pixel
  // System and resource icons are shared: DestroyIcon leaves them alive.
  bool shared = false;
};

HICON insert_icon(std::shared_ptr<Icon> icon);
std::shared_ptr<const Icon> find_icon(HICON handle);

// Parses a Win32 icon or cursor image (the bytes of an RT_ICON or RT_CURSOR resource:
// for cursors a hotspot of two WORDs, then a BITMAPINFOHEADER, colour table, XOR rows
// and AND rows, both bottom-up). Null for malformed bytes; never reads past `size`.
std::shared_ptr<Icon> parse_icon_image(const BYTE* bits, DWORD size, bool is_icon);

// The RT_ICON / RT_CURSOR id of the entry of an RT_GROUP_ICON / RT_GROUP_CURSOR
// directory closest to the system size (for equal sizes the deepest), or -1 for a
// malformed directory. Never reads past `size`.
int pick_group_entry(const BYTE* group, DWORD size, bool is_icon);

// Draws the icon with its top-left at surface (x, y), scaled to w x h, within `clip`.
// REQUIRES: the surface's mutex is held.
void composite_icon(Surface& surface, const RECT& clip, int x, int y, int w, int h,
                    const Icon& icon, UINT flags = DI_NORMAL);

// LoadIconA / LoadCursorA with a module handle: the module's RT_GROUP_ICON /
// RT_GROUP_CURSOR resource, built once and shared. Null when there is none.
HICON load_module_icon(HINSTANCE instance, LPCSTR name, bool is_icon);

// Replaces load_module_icon (null restores it); for tests that have no module.
using IconResourceLoader = HICON (*)(HINSTANCE instance, LPCSTR name, bool is_icon);
void SetIconResourceLoader(IconResourceLoader loader);

// The system icons and cursors (LoadIconA / LoadCursorA with a null instance).
HICON system_icon(LPCSTR name);
HCURSOR system_cursor(LPCSTR name);

}  // namespace gdi
