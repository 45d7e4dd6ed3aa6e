// Rectangle regions (HRGN): enough for clipping and for combining update areas.
#include "gdi/gdi_error.h"
#include "gdi/objects.h"

using gdi::Lock;

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom) {
  Lock lock;
  auto region = std::make_shared<gdi::Region>();
  region->area = gdi::ClipRegion(gdi::rect_normalized(RECT{left, top, right, bottom}));
  return gdi::handle_cast<HRGN>(gdi::insert_object(region));
}

HRGN WINAPI CreateRectRgnIndirect(const RECT* lprect) {
  if (!lprect) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  return CreateRectRgn(lprect->left, lprect->top, lprect->right, lprect->bottom);
}

BOOL WINAPI SetRectRgn(HRGN hrgn, int left, int top, int right, int bottom) {
  Lock lock;
  std::shared_ptr<gdi::Region> region = gdi::find_region(hrgn);
  if (!region) return FALSE;
  region->area = gdi::ClipRegion(gdi::rect_normalized(RECT{left, top, right, bottom}));
  return TRUE;
}

int WINAPI CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  Lock lock;
  std::shared_ptr<gdi::Region> out = gdi::find_region(dest);
  std::shared_ptr<gdi::Region> a = gdi::find_region(src1);
  if (!out || !a) return ERROR;
  std::shared_ptr<gdi::Region> b;
  if (mode != RGN_COPY) {
    b = gdi::find_region(src2);
    if (!b) return ERROR;
  }
  gdi::ClipRegion result = a->area;
  switch (mode) {
    case RGN_COPY: break;
    case RGN_AND: result.intersect(b->area); break;
    case RGN_OR: result.add(b->area); break;
    case RGN_DIFF: result.subtract(b->area); break;
    case RGN_XOR: {
      gdi::ClipRegion both = a->area;
      both.intersect(b->area);
      result.add(b->area);
      result.subtract(both);
      break;
    }
    default: gdi::set_error(gdi::kErrorInvalidParameter); return ERROR;
  }
  out->area = std::move(result);
  return out->area.kind();
}

int WINAPI GetRgnBox(HRGN hrgn, LPRECT lprect) {
  Lock lock;
  std::shared_ptr<gdi::Region> region = gdi::find_region(hrgn);
  if (!region || !lprect) return ERROR;
  *lprect = region->area.bounds();
  return region->area.kind();
}

BOOL WINAPI PtInRegion(HRGN hrgn, int x, int y) {
  Lock lock;
  std::shared_ptr<gdi::Region> region = gdi::find_region(hrgn);
  return region && region->area.contains(x, y) ? TRUE : FALSE;
}

int WINAPI OffsetRgn(HRGN hrgn, int x, int y) {
  Lock lock;
  std::shared_ptr<gdi::Region> region = gdi::find_region(hrgn);
  if (!region) return ERROR;
  region->area.offset(x, y);
  return region->area.kind();
}
