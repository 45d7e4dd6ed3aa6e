// Menu objects: a menu is a list of items (commands, separators, pop-ups that own a
// submenu) behind an HMENU of its own handle family. One lock guards every menu's
// items; it is never held while a window procedure runs.
#pragma once

#include <win32.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace win32::user {

struct MenuItem {
  UINT flags = 0;       // MF_* state and kind (GRAYED, DISABLED, CHECKED, POPUP, SEPARATOR, ...)
  UINT id = 0;          // the command id (0 for separators and pop-ups)
  HMENU submenu = nullptr;
  std::string text;
  ULONG_PTR item_data = 0;  // an owner-drawn item's value
  RECT rect{};              // where layout put it (bar: window coordinates; pop-up: client)
};

struct Menu {
  std::vector<MenuItem> items;
  bool popup = false;
  HWND bar_window = nullptr;  // the window whose menu bar shows this menu
};

std::mutex& menu_lock();
using MenuLock = std::unique_lock<std::mutex>;

HMENU create_menu_object(bool popup);
// The menu of a live handle, or null. The pointer is valid while the menu lock is held.
Menu* menu_locked(HMENU menu);
// Drops the handle (and, with `with_submenus`, every submenu). REQUIRES: the menu lock.
void destroy_menu_locked(HMENU menu, bool with_submenus);

// Where an item was found: the menu that holds it directly and its position there.
struct ItemRef {
  HMENU menu = nullptr;
  int position = -1;
  MenuItem* item = nullptr;
};

// MF_BYPOSITION: the item at that position of `menu` itself. MF_BYCOMMAND: the first
// item with that command id, searching pop-ups depth-first in menu order.
// REQUIRES: the menu lock.
ItemRef find_item_locked(HMENU menu, UINT id_or_position, UINT flags);

// The text of an item without its '&' markers, and its mnemonic (lower case, or 0).
std::string menu_label(const std::string& text);
char menu_mnemonic(const std::string& text);

constexpr DWORD ERROR_INVALID_MENU_HANDLE_CODE = 1401;

}  // namespace win32::user

namespace win32::user {

// A classic menu template of `size` bytes (0: unknown) made into a menu; null when it
// is malformed.
HMENU load_menu_template(const void* bytes, std::size_t size);

}  // namespace win32::user
