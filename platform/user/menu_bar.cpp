#include "menu_bar.h"

#include <algorithm>
#include <atomic>

#include "def_window_proc.h"
#include "last_error.h"
#include "user_lock.h"
#include "window_pos.h"
#include "window_tree.h"

namespace win32::user {
namespace {

std::atomic<ClassMenuLoader> class_menu_loader{nullptr};
std::atomic<MenuBarRowCounter> menu_bar_row_counter{nullptr};

}  // namespace

void set_class_menu_loader(ClassMenuLoader loader) { class_menu_loader = loader; }

HMENU load_class_menu(HINSTANCE instance, const WindowClass& cls) {
  ClassMenuLoader loader = class_menu_loader.load();
  if (!loader) return nullptr;
  if (cls.menu_resource) return loader(instance, cls.menu_resource);
  if (!cls.menu_name.empty()) return loader(instance, cls.menu_name.c_str());
  return nullptr;
}

HMENU window_menu(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  return w && !w->is_child() ? w->menu : nullptr;
}

bool set_window_menu(HWND hwnd, HMENU menu) {
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, false);
    if (w->is_child()) return false;
    w->menu = menu;
  }
  set_window_pos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return true;
}

void set_menu_bar_row_counter(MenuBarRowCounter counter) { menu_bar_row_counter = counter; }

int count_menu_bar_rows(HWND hwnd, int bar_width) {
  MenuBarRowCounter counter = menu_bar_row_counter.load();
  return counter ? std::max(1, counter(hwnd, bar_width)) : 1;
}

int window_menu_rows(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  return w ? menu_rows_locked(*w) : 0;
}

}  // namespace win32::user
