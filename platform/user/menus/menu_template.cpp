// Menus from classic menu templates (RT_MENU): a header, then items packed one after
// another; a pop-up item has no id and is followed at once by its own items, and
// MF_END marks the last item of each level.
#include <cstddef>
#include <cstring>
#include <string>

#include "user/last_error.h"
#include "menu_object.h"
#include "user/dialogs/template_reader.h"

namespace win32::user {
namespace {

constexpr int kMaxNesting = 16;
constexpr std::size_t kMaxItemText = 1024;
// Items in one menu with all its pop-ups; with an unknown size nothing else ends a
// template whose MF_END flags are missing.
constexpr std::size_t kMaxItems = 4096;
constexpr UINT kTemplateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP | MF_MENUBARBREAK | MF_MENUBREAK |
                                MF_OWNERDRAW | MF_HELP;

// Reads one level (the bar or a pop-up) into `menu`. REQUIRES: the menu lock.
bool read_level(TemplateReader& r, HMENU menu, int depth, std::size_t& items_left) {
  if (depth > kMaxNesting) return false;
  for (;;) {
    if (items_left == 0) return false;
    --items_left;
    WORD option;
    if (!r.word(&option)) return false;
    MenuItem item;
    item.flags = option & kTemplateFlags;
    if (!(option & MF_POPUP)) {
      WORD id;
      if (!r.word(&id)) return false;
      item.id = id;
    }
    if (!r.text(&item.text)) return false;
    if (option & MF_POPUP) {
      item.submenu = create_menu_object(true);
      if (!item.submenu) return false;
      // Appended first so that a failure below still frees it with its parent.
      menu_locked(menu)->items.push_back(item);
      if (!read_level(r, item.submenu, depth + 1, items_left)) return false;
    } else {
      if (item.id == 0 && item.text.empty() && !(option & MF_OWNERDRAW)) item.flags |= MF_SEPARATOR;
      menu_locked(menu)->items.push_back(item);
    }
    if (option & MF_END) return true;
  }
}

}  // namespace

HMENU load_menu_template(const void* bytes, std::size_t size) {
  if (!bytes) return fail(ERROR_INVALID_PARAMETER, HMENU{nullptr});
  TemplateReader r(bytes, size, kMaxItemText);
  WORD version, offset;
  if (!r.word(&version) || !r.word(&offset) || version != 0 || !r.skip(offset))
    return fail(ERROR_INVALID_PARAMETER, HMENU{nullptr});
  HMENU menu = create_menu_object(false);
  if (!menu) return fail(ERROR_NOT_ENOUGH_MEMORY, HMENU{nullptr});
  MenuLock lock(menu_lock());
  std::size_t items_left = kMaxItems;
  if (!read_level(r, menu, 0, items_left)) {
    destroy_menu_locked(menu, true);
    return fail(ERROR_INVALID_PARAMETER, HMENU{nullptr});
  }
  return menu;
}

}  // namespace win32::user

using namespace win32::user;

HMENU WINAPI LoadMenuIndirectA(const MENUTEMPLATEA* menu_template) { return load_menu_template(menu_template, 0); }

HMENU WINAPI LoadMenuA(HINSTANCE instance, LPCSTR name) {
  HMODULE module = reinterpret_cast<HMODULE>(instance);
  HRSRC info = FindResourceA(module, name, RT_MENU);
  if (!info) return nullptr;
  HGLOBAL data = LoadResource(module, info);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return nullptr;
  return load_menu_template(bytes, SizeofResource(module, info));
}
