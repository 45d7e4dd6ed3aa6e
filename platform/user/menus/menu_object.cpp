#include "menu_object.h"

#include <cctype>

#include "common/handle_table.h"

namespace win32::user {
namespace {

HandleTable<Menu>& table() {
  static auto* t = new HandleTable<Menu>(HandleFamily::Menu);
  return *t;
}

ItemRef search_by_command(HMENU handle, UINT id, int depth) {
  constexpr int kMaxNesting = 32;  // guards against a menu made its own descendant
  Menu* m = menu_locked(handle);
  if (!m || depth > kMaxNesting) return {};
  for (size_t i = 0; i < m->items.size(); ++i) {
    MenuItem& item = m->items[i];
    if (item.flags & MF_POPUP) {
      ItemRef inner = search_by_command(item.submenu, id, depth + 1);
      if (inner.item) return inner;
    } else if (item.id == id && !(item.flags & MF_SEPARATOR)) {
      return ItemRef{handle, static_cast<int>(i), &item};
    }
  }
  return {};
}

}  // namespace

std::mutex& menu_lock() {
  static auto* m = new std::mutex;
  return *m;
}

HMENU create_menu_object(bool popup) {
  auto menu = std::make_shared<Menu>();
  menu->popup = popup;
  return reinterpret_cast<HMENU>(table().insert(std::move(menu)));
}

Menu* menu_locked(HMENU menu) {
  auto found = table().find(reinterpret_cast<std::uintptr_t>(menu));
  return found.get();
}

void destroy_menu_locked(HMENU handle, bool with_submenus) {
  auto menu = table().erase(reinterpret_cast<std::uintptr_t>(handle));
  if (!menu || !with_submenus) return;
  for (MenuItem& item : menu->items)
    if (item.flags & MF_POPUP) destroy_menu_locked(item.submenu, true);
}

ItemRef find_item_locked(HMENU handle, UINT id_or_position, UINT flags) {
  if (flags & MF_BYPOSITION) {
    Menu* m = menu_locked(handle);
    if (!m || id_or_position >= m->items.size()) return {};
    return ItemRef{handle, static_cast<int>(id_or_position), &m->items[id_or_position]};
  }
  return search_by_command(handle, id_or_position, 0);
}

std::string menu_label(const std::string& text) {
  std::string label;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    else if (text[i] == '&') continue;
    if (text[i] == '\t') break;  // an accelerator hint after a tab is not part of the name
    label.push_back(text[i]);
  }
  return label;
}

char menu_mnemonic(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
  }
  return 0;
}

}  // namespace win32::user
