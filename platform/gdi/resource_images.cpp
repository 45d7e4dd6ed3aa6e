// Icons, cursors and bitmaps from a module's resources: LoadIconA / LoadCursorA with a
// module handle pick the group entry closest to the system size from RT_GROUP_ICON /
// RT_GROUP_CURSOR and build it from its RT_ICON / RT_CURSOR image; LoadBitmapA turns an
// RT_BITMAP (a DIB without file header) into a bitmap. Loaded icons are shared and
// cached, so loading the same name twice gives the same handle, as in Win32.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "gdi/dib.h"
#include "gdi/gdi_error.h"
#include "gdi/icon.h"
#include "gdi/objects.h"

namespace gdi {

namespace {

constexpr int kPreferredSize = 32;
constexpr std::size_t kGroupHeader = 6;
constexpr std::size_t kGroupEntry = 14;

std::uint16_t u16(const BYTE* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

// The bytes of a resource, or an empty span when it does not exist.
struct Bytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

Bytes resource_bytes(HINSTANCE instance, LPCSTR name, LPCSTR type) {
  HRSRC info = FindResourceA(instance, name, type);
  if (!info) return {};
  HGLOBAL loaded = LoadResource(instance, info);
  if (!loaded) return {};
  return Bytes{static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(instance, info)};
}

}  // namespace

int pick_group_entry(const BYTE* data, DWORD size, bool is_icon) {
  if (!data || size < kGroupHeader || u16(data + 2) != (is_icon ? 1 : 2)) return -1;
  std::size_t count = u16(data + 4);
  if (size < kGroupHeader + count * kGroupEntry) return -1;
  int best = -1, best_distance = 0, best_depth = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const BYTE* e = data + kGroupHeader + i * kGroupEntry;
    // Icon entries: BYTE width, BYTE height (0 = 256); cursor entries: WORD width, WORD
    // double height. Both end in BitCount (WORD at 6), size (DWORD at 8), id (WORD at 12).
    int width = is_icon ? (e[0] ? e[0] : 256) : u16(e);
    int depth = u16(e + 6);
    int distance = std::abs(width - kPreferredSize);
    if (best < 0 || distance < best_distance || (distance == best_distance && depth > best_depth)) {
      best = u16(e + 12);
      best_distance = distance;
      best_depth = depth;
    }
  }
  return best;
}

namespace {

HICON load_from_module(HINSTANCE instance, LPCSTR name, bool is_icon) {
  Bytes group = resource_bytes(instance, name, is_icon ? RT_GROUP_ICON : RT_GROUP_CURSOR);
  if (!group.data) return nullptr;
  int id = pick_group_entry(group.data, group.size, is_icon);
  if (id < 0) return nullptr;
  Bytes image = resource_bytes(instance, MAKEINTRESOURCEA(id), is_icon ? RT_ICON : RT_CURSOR);
  if (!image.data) return nullptr;
  std::shared_ptr<Icon> icon = parse_icon_image(image.data, image.size, is_icon);
  if (!icon) return nullptr;
  icon->shared = true;
  if (is_icon) icon->hotspot = POINT{icon->width / 2, icon->height / 2};
  return insert_icon(icon);
}

using CacheKey = std::tuple<HINSTANCE, std::string, bool>;

CacheKey key_of(HINSTANCE instance, LPCSTR name, bool is_icon) {
  std::string text = IS_INTRESOURCE(name)
                         ? "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name))
                         : std::string(name);
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return {instance, text, is_icon};
}

}  // namespace

HICON load_module_icon(HINSTANCE instance, LPCSTR name, bool is_icon) {
  static std::mutex mutex;
  static std::map<CacheKey, HICON> cache;
  CacheKey key = key_of(instance, name, is_icon);
  std::lock_guard lock(mutex);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  HICON icon = load_from_module(instance, name, is_icon);
  if (icon) cache.emplace(key, icon);
  return icon;
}

}  // namespace gdi

HBITMAP WINAPI LoadBitmapA(HINSTANCE hInstance, LPCSTR name) {
  if (!name) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  gdi::Bytes dib = gdi::resource_bytes(hInstance, name, RT_BITMAP);
  if (!dib.data) {
    gdi::set_error(gdi::kErrorResourceNameNotFound);
    return nullptr;
  }
  return gdi::bitmap_from_dib(dib.data, dib.size);
}
