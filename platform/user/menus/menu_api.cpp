// The menu calls that build, change and query menu objects.
#include <algorithm>
#include <cstring>

#include "user/last_error.h"
#include "menu_object.h"

namespace win32::user {
namespace {

constexpr UINT kStateFlags = MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_HILITE | MF_MENUBARBREAK | MF_MENUBREAK |
                             MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP | MF_HELP | MF_DEFAULT;

bool make_item(UINT flags, UINT_PTR id, LPCSTR text, MenuItem* out) {
  out->flags = flags & kStateFlags;
  if (flags & MF_POPUP) {
    out->submenu = reinterpret_cast<HMENU>(id);
    if (!menu_locked(out->submenu)) return false;
    if (Menu* sub = menu_locked(out->submenu)) sub->popup = true;
  } else {
    out->id = static_cast<UINT>(id);
  }
  if (flags & MF_OWNERDRAW)
    out->item_data = reinterpret_cast<ULONG_PTR>(text);
  else if (!(flags & (MF_SEPARATOR | MF_BITMAP)) && text)
    out->text = text;
  if (!(flags & (MF_POPUP | MF_OWNERDRAW)) && !(flags & MF_BITMAP) && (!text || !*text) && !(flags & MF_SEPARATOR) &&
      out->id == 0)
    out->flags |= MF_SEPARATOR;
  return true;
}

BOOL insert_item(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text) {
  MenuLock lock(menu_lock());
  MenuItem item;
  if (!menu_locked(menu) || !make_item(flags, id, text, &item)) return fail(ERROR_INVALID_MENU_HANDLE_CODE, FALSE);
  HMENU target = menu;
  size_t at;
  if (position == static_cast<UINT>(-1)) {
    at = menu_locked(menu)->items.size();
  } else if (flags & MF_BYPOSITION) {
    at = std::min<size_t>(position, menu_locked(menu)->items.size());
  } else {
    ItemRef ref = find_item_locked(menu, position, MF_BYCOMMAND);
    if (!ref.item) {
      at = menu_locked(menu)->items.size();
    } else {
      target = ref.menu;
      at = static_cast<size_t>(ref.position);
    }
  }
  auto& items = menu_locked(target)->items;
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(at), item);
  return TRUE;
}

BOOL remove_item(HMENU menu, UINT position, UINT flags, bool destroy_submenu) {
  MenuLock lock(menu_lock());
  ItemRef ref = find_item_locked(menu, position, flags);
  if (!ref.item) return fail(ERROR_INVALID_MENU_HANDLE_CODE, FALSE);
  HMENU sub = (ref.item->flags & MF_POPUP) ? ref.item->submenu : nullptr;
  auto& items = menu_locked(ref.menu)->items;
  items.erase(items.begin() + ref.position);
  if (sub && destroy_submenu) destroy_menu_locked(sub, true);
  return TRUE;
}

}  // namespace
}  // namespace win32::user

using namespace win32::user;

HMENU WINAPI CreateMenu(void) { return create_menu_object(false); }
HMENU WINAPI CreatePopupMenu(void) { return create_menu_object(true); }

BOOL WINAPI DestroyMenu(HMENU menu) {
  MenuLock lock(menu_lock());
  if (!menu_locked(menu)) return fail(ERROR_INVALID_MENU_HANDLE_CODE, FALSE);
  destroy_menu_locked(menu, true);
  return TRUE;
}

BOOL WINAPI IsMenu(HMENU menu) {
  MenuLock lock(menu_lock());
  return menu_locked(menu) ? TRUE : FALSE;
}

BOOL WINAPI AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
  return insert_item(menu, static_cast<UINT>(-1), flags | MF_BYPOSITION, id, text);
}

BOOL WINAPI InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR text) {
  return insert_item(menu, position, flags, id, text);
}

BOOL WINAPI DeleteMenu(HMENU menu, UINT position, UINT flags) { return remove_item(menu, position, flags, true); }
BOOL WINAPI RemoveMenu(HMENU menu, UINT position, UINT flags) { return remove_item(menu, position, flags, false); }

HMENU WINAPI GetSubMenu(HMENU menu, int position) {
  MenuLock lock(menu_lock());
  if (position < 0) return nullptr;
  ItemRef ref = find_item_locked(menu, static_cast<UINT>(position), MF_BYPOSITION);
  return ref.item && (ref.item->flags & MF_POPUP) ? ref.item->submenu : nullptr;
}

int WINAPI GetMenuItemCount(HMENU menu) {
  MenuLock lock(menu_lock());
  Menu* m = menu_locked(menu);
  if (!m) return fail(ERROR_INVALID_MENU_HANDLE_CODE, -1);
  return static_cast<int>(m->items.size());
}

UINT WINAPI GetMenuItemID(HMENU menu, int position) {
  MenuLock lock(menu_lock());
  if (position < 0) return static_cast<UINT>(-1);
  ItemRef ref = find_item_locked(menu, static_cast<UINT>(position), MF_BYPOSITION);
  if (!ref.item || (ref.item->flags & MF_POPUP)) return static_cast<UINT>(-1);
  return ref.item->id;
}

UINT WINAPI GetMenuState(HMENU menu, UINT id, UINT flags) {
  MenuLock lock(menu_lock());
  ItemRef ref = find_item_locked(menu, id, flags);
  if (!ref.item) return static_cast<UINT>(-1);
  if (ref.item->flags & MF_POPUP) {
    Menu* sub = menu_locked(ref.item->submenu);
    UINT count = sub ? static_cast<UINT>(std::min<size_t>(sub->items.size(), 0xFF)) : 0;
    return (count << 8) | (ref.item->flags & 0xFF);
  }
  return ref.item->flags & ~MF_POPUP;
}

int WINAPI GetMenuStringA(HMENU menu, UINT id, LPSTR buffer, int capacity, UINT flags) {
  MenuLock lock(menu_lock());
  ItemRef ref = find_item_locked(menu, id, flags);
  if (!ref.item) return 0;
  const std::string& text = ref.item->text;
  if (!buffer || capacity <= 0) return static_cast<int>(text.size());
  size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return static_cast<int>(n);
}

BOOL WINAPI EnableMenuItem(HMENU menu, UINT id, UINT enable) {
  MenuLock lock(menu_lock());
  ItemRef ref = find_item_locked(menu, id, enable & MF_BYPOSITION);
  if (!ref.item) return -1;
  UINT previous = ref.item->flags & (MF_GRAYED | MF_DISABLED);
  ref.item->flags = (ref.item->flags & ~(MF_GRAYED | MF_DISABLED)) | (enable & (MF_GRAYED | MF_DISABLED));
  return static_cast<BOOL>(previous);
}

DWORD WINAPI CheckMenuItem(HMENU menu, UINT id, UINT check) {
  MenuLock lock(menu_lock());
  ItemRef ref = find_item_locked(menu, id, check & MF_BYPOSITION);
  if (!ref.item) return static_cast<DWORD>(-1);
  DWORD previous = ref.item->flags & MF_CHECKED;
  ref.item->flags = (ref.item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
  return previous;
}
