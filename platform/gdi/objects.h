// GDI objects and their handle table. Pens, brushes, fonts, bitmaps, palettes, regions
// and device contexts all live in one generational table, as their handles share one
// name space in Win32 (GetObjectType tells them apart).
//
// Locking: one process-wide recursive mutex (gdi::Lock) guards every object and DC
// state. Each Win32 entry point takes it first; surfaces have their own mutex, always
// taken after this one.
#pragma once

#include <win32.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "gdi/clip_region.h"
#include "gdi/surface.h"

namespace gdi {

class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;
};

struct GdiObject {
  explicit GdiObject(DWORD object_type) : type(object_type) {}
  virtual ~GdiObject() = default;

  const DWORD type;  // OBJ_PEN, OBJ_BRUSH, ...
  // Stock objects and system-colour brushes: DeleteObject leaves them alive.
  bool permanent = false;
  // How many DCs (and saved DC states) refer to this object; a selected object cannot
  // be deleted.
  int selections = 0;
};

struct Pen : GdiObject {
  Pen() : GdiObject(OBJ_PEN) {}
  LOGPEN log{};
};

struct Bitmap : GdiObject {
  Bitmap(int width, int height, int bits_per_pixel);
  // Monochrome bitmaps keep their pixels as 0x000000 and 0xFFFFFF.
  std::shared_ptr<Surface> pixels;
  int bits_per_pixel;  // 1 or 32
  // The one memory DC this bitmap is selected into (while selections > 0).
  const void* owner = nullptr;
  bool monochrome() const { return bits_per_pixel == 1; }
};

struct Brush : GdiObject {
  Brush() : GdiObject(OBJ_BRUSH) {}
  LOGBRUSH log{};
  // BS_PATTERN: a private copy of the bitmap's pixels (a brush outlives its bitmap).
  std::shared_ptr<Surface> pattern;
  bool pattern_monochrome = false;
};

struct Font : GdiObject {
  Font() : GdiObject(OBJ_FONT) {}
  LOGFONTA log{};
};

struct Palette : GdiObject {
  Palette() : GdiObject(OBJ_PAL) {}
  std::vector<PALETTEENTRY> entries;
};

struct Region : GdiObject {
  Region() : GdiObject(OBJ_REGION) {}
  ClipRegion area;
};

// Stores an object and returns its handle (null when the table is full).
HGDIOBJ insert_object(std::shared_ptr<GdiObject> object);
// The live object of a handle, or null (and ERROR_INVALID_HANDLE) for anything else.
std::shared_ptr<GdiObject> find_object(HGDIOBJ handle);
std::shared_ptr<GdiObject> erase_object(HGDIOBJ handle);

// The live object of a handle if it has the given type; null otherwise.
template <typename T>
std::shared_ptr<T> find_typed(HGDIOBJ handle, DWORD type) {
  std::shared_ptr<GdiObject> object = find_object(handle);
  if (!object || object->type != type) return nullptr;
  return std::static_pointer_cast<T>(object);
}

inline std::shared_ptr<Pen> find_pen(HGDIOBJ h) { return find_typed<Pen>(h, OBJ_PEN); }
inline std::shared_ptr<Brush> find_brush(HGDIOBJ h) { return find_typed<Brush>(h, OBJ_BRUSH); }
inline std::shared_ptr<Font> find_font(HGDIOBJ h) { return find_typed<Font>(h, OBJ_FONT); }
inline std::shared_ptr<Bitmap> find_bitmap(HGDIOBJ h) { return find_typed<Bitmap>(h, OBJ_BITMAP); }
inline std::shared_ptr<Palette> find_palette(HGDIOBJ h) { return find_typed<Palette>(h, OBJ_PAL); }
inline std::shared_ptr<Region> find_region(HGDIOBJ h) { return find_typed<Region>(h, OBJ_REGION); }

// The bitmap every memory DC starts with: 1x1 monochrome, shared, never deleted.
HBITMAP default_bitmap();

template <typename H>
H handle_cast(HGDIOBJ h) {
  return reinterpret_cast<H>(h);
}

}  // namespace gdi
