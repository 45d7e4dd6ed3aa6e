// Selecting objects into DCs, deleting them and describing them (GetObjectA).
#include <algorithm>
#include <cstring>

#include "gdi/bitmaps.h"
#include "gdi/device_context.h"
#include "gdi/gdi_error.h"
#include "gdi/objects.h"

using gdi::Lock;

namespace {

// Swaps the handle in `slot` for `next`, moving one selection count across.
template <typename H>
HGDIOBJ swap_selection(H& slot, HGDIOBJ next, gdi::GdiObject& next_object) {
  H previous = slot;
  next_object.selections += 1;
  if (std::shared_ptr<gdi::GdiObject> old = gdi::find_object(previous)) {
    old->selections -= 1;
    if (old->type == OBJ_BITMAP && old->selections <= 0)
      static_cast<gdi::Bitmap&>(*old).owner = nullptr;
  }
  slot = gdi::handle_cast<H>(next);
  return previous;
}

HGDIOBJ select_bitmap(gdi::DeviceContext& dc, HGDIOBJ h, gdi::Bitmap& bm) {
  // Bitmaps go only into memory DCs, and into one DC at a time.
  if (!dc.memory()) return nullptr;
  if (!bm.permanent && bm.selections > 0 && bm.owner != &dc) return nullptr;
  HGDIOBJ previous = swap_selection(dc.state.bitmap, h, bm);
  if (!bm.permanent) bm.owner = &dc;
  gdi::bind_selected_bitmap(dc);
  return previous;
}

template <typename T>
int copy_out(const T& value, int cb, LPVOID pv) {
  if (!pv) return static_cast<int>(sizeof(T));
  if (cb <= 0) return 0;
  int n = std::min(cb, static_cast<int>(sizeof(T)));
  std::memcpy(pv, &value, static_cast<std::size_t>(n));
  return n;
}

}  // namespace

HGDIOBJ WINAPI SelectObject(HDC hdc, HGDIOBJ h) {
  Lock lock;
  std::shared_ptr<gdi::DeviceContext> dc = gdi::find_dc(hdc);
  if (!dc) return nullptr;
  std::shared_ptr<gdi::GdiObject> object = gdi::find_object(h);
  if (!object) return nullptr;
  switch (object->type) {
    case OBJ_PEN: return swap_selection(dc->state.pen, h, *object);
    case OBJ_BRUSH: return swap_selection(dc->state.brush, h, *object);
    case OBJ_FONT: return swap_selection(dc->state.font, h, *object);
    case OBJ_BITMAP: return select_bitmap(*dc, h, static_cast<gdi::Bitmap&>(*object));
    case OBJ_REGION: {
      // Selecting a region sets a copy of it as the clip region and returns its kind.
      dc->state.clip = static_cast<gdi::Region&>(*object).area;
      return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(dc->state.clip->kind()));
    }
    default: gdi::set_error(gdi::kErrorInvalidParameter); return nullptr;
  }
}

BOOL WINAPI DeleteObject(HGDIOBJ h) {
  Lock lock;
  std::shared_ptr<gdi::GdiObject> object = gdi::find_object(h);
  if (!object) return FALSE;
  if (object->type == OBJ_DC || object->type == OBJ_MEMDC) return FALSE;
  // Deleting a stock object is harmless and reported as done; it stays alive.
  if (object->permanent) return TRUE;
  if (object->selections > 0) return FALSE;
  gdi::erase_object(h);
  return TRUE;
}

int WINAPI GetObjectA(HGDIOBJ h, int cb, LPVOID pv) {
  Lock lock;
  std::shared_ptr<gdi::GdiObject> object = gdi::find_object(h);
  if (!object) return 0;
  switch (object->type) {
    case OBJ_PEN: return copy_out(static_cast<gdi::Pen&>(*object).log, cb, pv);
    case OBJ_BRUSH: return copy_out(static_cast<gdi::Brush&>(*object).log, cb, pv);
    case OBJ_FONT: return copy_out(static_cast<gdi::Font&>(*object).log, cb, pv);
    case OBJ_PAL: {
      WORD count = static_cast<WORD>(static_cast<gdi::Palette&>(*object).entries.size());
      return copy_out(count, cb, pv);
    }
    case OBJ_BITMAP: {
      auto& bm = static_cast<gdi::Bitmap&>(*object);
      BITMAP info{};
      info.bmWidth = bm.pixels->width();
      info.bmHeight = bm.pixels->height();
      info.bmWidthBytes = gdi::ddb_row_bytes(info.bmWidth, bm.bits_per_pixel);
      info.bmPlanes = 1;
      info.bmBitsPixel = static_cast<WORD>(bm.bits_per_pixel);
      return copy_out(info, cb, pv);
    }
    default: gdi::set_error(gdi::kErrorInvalidParameter); return 0;
  }
}

DWORD WINAPI GetObjectType(HGDIOBJ h) {
  Lock lock;
  std::shared_ptr<gdi::GdiObject> object = gdi::find_object(h);
  return object ? object->type : 0;
}

BOOL WINAPI UnrealizeObject(HGDIOBJ h) {
  Lock lock;
  return gdi::find_object(h) ? TRUE : FALSE;
}
