// Icon objects: the handle table, parsing Win32 icon images, creating icons from
// bitmaps, and drawing them.
#include "gdi/icon.h"

#include <common/handle_table.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "gdi/bitmaps.h"
#include "gdi/dc_call.h"
#include "gdi/dib.h"
#include "gdi/gdi_error.h"
#include "gdi/raster.h"

namespace gdi {

namespace {

// Icons are drawn at the system icon size unless told otherwise.
constexpr int kSystemIconSize = 32;
// Largest icon side accepted from resource bytes (Win32 icons are at most 256).
constexpr int kMaxIconSide = 256;

win32::HandleTable<Icon>& icon_table() {
  static win32::HandleTable<Icon> icons(win32::HandleFamily::Icon);
  return icons;
}

std::uint32_t read_u32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t read_u16(const BYTE* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

HICON insert_icon(std::shared_ptr<Icon> icon) {
  std::uintptr_t h = icon_table().insert(std::move(icon));
  if (!h) set_error(kErrorNotEnoughMemory);
  return reinterpret_cast<HICON>(h);
}

std::shared_ptr<const Icon> find_icon(HICON handle) {
  return icon_table().find(reinterpret_cast<std::uintptr_t>(handle));
}

std::shared_ptr<Icon> parse_icon_image(const BYTE* bits, DWORD size, bool is_icon) {
  if (!bits) return nullptr;
  POINT hotspot{0, 0};
  if (!is_icon) {
    if (size < 4) return nullptr;
    hotspot = POINT{read_u16(bits), read_u16(bits + 2)};
    bits += 4;
    size -= 4;
  }
  // The header's height counts both the XOR and the AND rows.
  if (size < 40) return nullptr;
  auto double_height = static_cast<std::int32_t>(read_u32(bits + 8));
  if (double_height <= 0 || double_height % 2 != 0 || double_height > 2 * kMaxIconSide) return nullptr;
  int height = double_height / 2;
  DibImage image;
  if (!read_dib(bits, size, height, image) || image.width > kMaxIconSide) return nullptr;
  std::size_t and_stride = ((static_cast<std::size_t>(image.width) + 31) / 32) * 4;
  if (image.end + and_stride * height > size) return nullptr;
  const BYTE* and_rows = bits + image.end;

  auto icon = std::make_shared<Icon>();
  icon->width = image.width;
  icon->height = height;
  icon->is_icon = is_icon;
  icon->hotspot = hotspot;
  icon->color = std::move(image.pixels);
  icon->mask.resize(icon->color.size());
  bool any_mask = false;
  for (int y = 0; y < height; ++y) {
    const BYTE* ar = and_rows + and_stride * (height - 1 - y);  // bottom-up
    for (int x = 0; x < icon->width; ++x) {
      std::uint8_t bit = (ar[x / 8] >> (7 - x % 8)) & 1;
      icon->mask[static_cast<std::size_t>(y) * icon->width + x] = bit;
      any_mask |= bit != 0;
    }
  }
  // 32-bit images with an alpha channel and an empty mask carry their shape in alpha.
  bool any_alpha = false;
  for (std::uint8_t a : image.alpha) any_alpha |= a != 0;
  if (any_alpha && !any_mask)
    for (std::size_t i = 0; i < icon->color.size(); ++i)
      if (image.alpha[i] < 128) {
        icon->mask[i] = 1;
        icon->color[i] = 0;
      }
  return icon;
}

void composite_icon(Surface& surface, const RECT& clip, int x, int y, int w, int h,
                    const Icon& icon, UINT flags) {
  if (w <= 0 || h <= 0 || icon.width <= 0 || icon.height <= 0) return;
  RECT area = rect_intersection(rect_intersection(clip, surface.bounds()),
                                RECT{x, y, add_clamped(x, w), add_clamped(y, h)});
  for (int sy = area.top; sy < area.bottom; ++sy) {
    int iy = static_cast<int>(static_cast<long long>(sy - y) * icon.height / h);
    Pixel* row = surface.row(sy);
    for (int sx = area.left; sx < area.right; ++sx) {
      int ix = static_cast<int>(static_cast<long long>(sx - x) * icon.width / w);
      std::size_t i = static_cast<std::size_t>(iy) * icon.width + ix;
      Pixel p = row[sx];
      if ((flags & DI_NORMAL) == DI_NORMAL) p = (icon.mask[i] ? p : 0) ^ icon.color[i];
      else if (flags & DI_MASK) p = icon.mask[i] ? p : 0;
      else if (flags & DI_IMAGE) p = icon.color[i];
      row[sx] = p;
    }
  }
}

}  // namespace gdi

using gdi::Icon;

namespace {

// An icon from a monochrome mask bitmap and an optional colour bitmap; without a colour
// bitmap the mask is twice as tall: AND half on top, XOR half below.
std::shared_ptr<Icon> icon_from_bitmaps(HBITMAP mask_handle, HBITMAP color_handle) {
  std::shared_ptr<gdi::Bitmap> mask = gdi::find_bitmap(mask_handle);
  if (!mask) return nullptr;
  std::shared_ptr<gdi::Bitmap> color = color_handle ? gdi::find_bitmap(color_handle) : nullptr;
  if (color_handle && !color) return nullptr;
  auto icon = std::make_shared<Icon>();
  icon->width = mask->pixels->width();
  icon->height = color ? mask->pixels->height() : mask->pixels->height() / 2;
  if (icon->width <= 0 || icon->height <= 0) return nullptr;
  icon->color.resize(static_cast<std::size_t>(icon->width) * icon->height);
  icon->mask.resize(icon->color.size());
  for (int y = 0; y < icon->height; ++y)
    for (int x = 0; x < icon->width; ++x) {
      std::size_t i = static_cast<std::size_t>(y) * icon->width + x;
      {
        std::lock_guard lock(mask->pixels->mutex());
        icon->mask[i] = mask->pixels->at(x, y) ? 1 : 0;
        if (!color) icon->color[i] = mask->pixels->at(x, y + icon->height);
      }
      if (color) {
        std::lock_guard lock(color->pixels->mutex());
        icon->color[i] = color->pixels->at(x, y);
      }
    }
  return icon;
}

}  // namespace

HICON WINAPI CreateIconIndirect(PICONINFO piconinfo) {
  if (!piconinfo) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  gdi::Lock lock;
  std::shared_ptr<Icon> icon = icon_from_bitmaps(piconinfo->hbmMask, piconinfo->hbmColor);
  if (!icon) return nullptr;
  icon->is_icon = piconinfo->fIcon != FALSE;
  if (!icon->is_icon)
    icon->hotspot = POINT{static_cast<LONG>(piconinfo->xHotspot), static_cast<LONG>(piconinfo->yHotspot)};
  else
    icon->hotspot = POINT{icon->width / 2, icon->height / 2};
  return gdi::insert_icon(icon);
}

HICON WINAPI CreateIcon(HINSTANCE, int width, int height, BYTE planes, BYTE bitsPixel,
                        const BYTE* andBits, const BYTE* xorBits) {
  if (!andBits || !xorBits || planes != 1) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  HBITMAP mask = CreateBitmap(width, height, 1, 1, andBits);
  HBITMAP color = CreateBitmap(width, height, 1, bitsPixel, xorBits);
  HICON icon = nullptr;
  if (mask && color) {
    ICONINFO info{TRUE, 0, 0, mask, color};
    icon = CreateIconIndirect(&info);
  }
  if (mask) DeleteObject(mask);
  if (color) DeleteObject(color);
  return icon;
}

HICON WINAPI CreateIconFromResourceEx(PBYTE bits, DWORD size, BOOL fIcon, DWORD, int, int, UINT) {
  std::shared_ptr<Icon> icon = gdi::parse_icon_image(bits, size, fIcon != FALSE);
  if (!icon) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  if (fIcon) icon->hotspot = POINT{icon->width / 2, icon->height / 2};
  return gdi::insert_icon(icon);
}

HICON WINAPI CreateIconFromResource(PBYTE bits, DWORD size, BOOL fIcon, DWORD version) {
  return CreateIconFromResourceEx(bits, size, fIcon, version, 0, 0, LR_DEFAULTCOLOR);
}

BOOL WINAPI GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
  std::shared_ptr<const Icon> icon = gdi::find_icon(hIcon);
  if (!icon || !piconinfo) {
    gdi::set_error(icon ? gdi::kErrorInvalidParameter : gdi::kErrorInvalidCursorHandle);
    return FALSE;
  }
  gdi::Lock lock;
  HBITMAP mask = CreateBitmap(icon->width, icon->height, 1, 1, nullptr);
  HBITMAP color = CreateBitmap(icon->width, icon->height, 1, 32, nullptr);
  if (!mask || !color) {
    if (mask) DeleteObject(mask);
    if (color) DeleteObject(color);
    return FALSE;
  }
  auto mbm = gdi::find_bitmap(mask), cbm = gdi::find_bitmap(color);
  std::scoped_lock pixels_lock(mbm->pixels->mutex(), cbm->pixels->mutex());
  for (int y = 0; y < icon->height; ++y)
    for (int x = 0; x < icon->width; ++x) {
      std::size_t i = static_cast<std::size_t>(y) * icon->width + x;
      mbm->pixels->set(x, y, icon->mask[i] ? 0xFFFFFF : 0);
      cbm->pixels->set(x, y, icon->color[i]);
    }
  *piconinfo = ICONINFO{icon->is_icon, static_cast<DWORD>(icon->hotspot.x),
                        static_cast<DWORD>(icon->hotspot.y), mask, color};
  return TRUE;
}

BOOL WINAPI DestroyIcon(HICON hIcon) {
  std::shared_ptr<const Icon> icon = gdi::find_icon(hIcon);
  if (!icon) {
    gdi::set_error(gdi::kErrorInvalidCursorHandle);
    return FALSE;
  }
  // Shared icons belong to the system or a module; destroying them is a harmless no-op.
  if (!icon->shared) gdi::icon_table().erase(reinterpret_cast<std::uintptr_t>(hIcon));
  return TRUE;
}

BOOL WINAPI DestroyCursor(HCURSOR hCursor) { return DestroyIcon(hCursor); }

BOOL WINAPI DrawIconEx(HDC hdc, int x, int y, HICON hIcon, int cx, int cy, UINT, HBRUSH,
                       UINT flags) {
  std::shared_ptr<const Icon> icon = gdi::find_icon(hIcon);
  if (!icon) {
    gdi::set_error(gdi::kErrorInvalidCursorHandle);
    return FALSE;
  }
  if (!(flags & DI_NORMAL)) return FALSE;
  return gdi::with_dc(hdc, FALSE, [&](gdi::DeviceContext& dc) {
    int w = cx ? cx : (flags & DI_DEFAULTSIZE) ? gdi::kSystemIconSize : icon->width;
    int h = cy ? cy : (flags & DI_DEFAULTSIZE) ? gdi::kSystemIconSize : icon->height;
    gdi::Canvas canvas(dc);
    if (!canvas.ready()) return TRUE;
    POINT at = dc.to_surface(x, y);
    Icon shown = *icon;
    if (dc.monochrome)
      for (gdi::Pixel& p : shown.color) p = dc.device_color(gdi::to_colorref(p));
    for (const RECT& c : canvas.clip().rects())
      gdi::composite_icon(canvas.surface(), c, at.x, at.y, w, h, shown, flags);
    return TRUE;
  });
}

BOOL WINAPI DrawIcon(HDC hdc, int x, int y, HICON hIcon) {
  return DrawIconEx(hdc, x, y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
