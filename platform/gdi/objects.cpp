// The GDI handle table and the process-wide GDI lock.
#include "gdi/objects.h"

#include <common/handle_table.h>

#include "gdi/gdi_error.h"

namespace gdi {

namespace {

std::recursive_mutex& gdi_mutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

win32::HandleTable<GdiObject>& table() {
  static win32::HandleTable<GdiObject> objects(win32::HandleFamily::Gdi);
  return objects;
}

std::uintptr_t raw(HGDIOBJ h) { return reinterpret_cast<std::uintptr_t>(h); }

}  // namespace

Lock::Lock() { gdi_mutex().lock(); }
Lock::~Lock() { gdi_mutex().unlock(); }

Bitmap::Bitmap(int width, int height, int bpp)
    : GdiObject(OBJ_BITMAP), pixels(std::make_shared<Surface>(width, height, 0)), bits_per_pixel(bpp) {}

HGDIOBJ insert_object(std::shared_ptr<GdiObject> object) {
  std::uintptr_t handle = table().insert(std::move(object));
  if (handle == 0) set_error(kErrorNotEnoughMemory);
  return reinterpret_cast<HGDIOBJ>(handle);
}

std::shared_ptr<GdiObject> find_object(HGDIOBJ handle) {
  std::shared_ptr<GdiObject> object = table().find(raw(handle));
  if (!object) set_error(kErrorInvalidHandle);
  return object;
}

std::shared_ptr<GdiObject> erase_object(HGDIOBJ handle) { return table().erase(raw(handle)); }

HBITMAP default_bitmap() {
  static HBITMAP bitmap = [] {
    auto bm = std::make_shared<Bitmap>(1, 1, 1);
    bm->permanent = true;
    bm->pixels->set(0, 0, 0xFFFFFF);
    return handle_cast<HBITMAP>(insert_object(bm));
  }();
  return bitmap;
}

}  // namespace gdi
