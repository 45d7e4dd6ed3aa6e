// The window table and the links between windows.
#include "window_tree.h"

#include <algorithm>

#include "common/handle_table.h"
#include "display/backend.h"
#include "focus.h"

namespace win32::user {
namespace {

struct Tree {
  HandleTable<Window> table{HandleFamily::Window};
  std::vector<HWND> top_level;  // z-order, topmost first
};

Tree& tree() {
  static Tree* t = new Tree;  // never destroyed, like the lock that guards it
  return *t;
}

void remove_from(std::vector<HWND>& list, HWND hwnd) {
  list.erase(std::remove(list.begin(), list.end(), hwnd), list.end());
}

}  // namespace

std::shared_ptr<Window> window_ref_locked(HWND hwnd) {
  if (!hwnd) return nullptr;
  return tree().table.find(from_hwnd(hwnd));
}

Window* window_locked(HWND hwnd) { return window_ref_locked(hwnd).get(); }

HWND insert_window_locked(std::shared_ptr<Window> window) {
  Window& w = *window;
  HWND hwnd = to_hwnd(tree().table.insert(std::move(window)));
  if (!hwnd) return nullptr;
  w.handle = hwnd;
  if (w.parent) {
    window_locked(w.parent)->children.push_back(hwnd);
  } else {
    tree().top_level.insert(tree().top_level.begin(), hwnd);
  }
  return hwnd;
}

std::vector<HWND>& top_level_windows_locked() { return tree().top_level; }

std::vector<HWND>& siblings_locked(const Window& window) {
  if (window.parent) {
    if (Window* parent = window_locked(window.parent)) return parent->children;
  }
  return tree().top_level;
}

void erase_window_locked(HWND hwnd) {
  Window* w = window_locked(hwnd);
  if (!w) return;
  remove_from(siblings_locked(*w), hwnd);
  // Windows it owned lose their owner rather than keep a dead handle.
  for (HWND top : tree().top_level) {
    Window* t = window_locked(top);
    if (t && t->owner == hwnd) t->owner = nullptr;
  }
  w->window_class->window_count--;
  FocusState& focus = focus_state_locked();
  if (focus.focus == hwnd) focus.focus = nullptr;
  if (focus.active == hwnd) focus.active = nullptr;
  if (focus.capture == hwnd) focus.capture = nullptr;
  if (w->surface) display::backend().close_surface(hwnd);
  tree().table.erase(from_hwnd(hwnd));
}

void erase_subtree_locked(HWND hwnd) {
  Window* w = window_locked(hwnd);
  if (!w) return;
  for (HWND child : std::vector<HWND>(w->children)) erase_subtree_locked(child);
  erase_window_locked(hwnd);
}

std::vector<HWND> windows_of_thread_locked(DWORD thread_id) {
  std::vector<HWND> result;
  std::vector<HWND> pending(tree().top_level.begin(), tree().top_level.end());
  while (!pending.empty()) {
    HWND h = pending.front();
    pending.erase(pending.begin());
    Window* w = window_locked(h);
    if (!w) continue;
    if (w->thread_id == thread_id) result.push_back(h);
    pending.insert(pending.end(), w->children.begin(), w->children.end());
  }
  return result;
}

bool is_descendant_locked(HWND ancestor, HWND hwnd) {
  Window* w = window_locked(hwnd);
  while (w && w->parent) {
    if (w->parent == ancestor) return true;
    w = window_locked(w->parent);
  }
  return false;
}

HWND top_level_of_locked(HWND hwnd) {
  Window* w = window_locked(hwnd);
  while (w && w->parent) {
    hwnd = w->parent;
    w = window_locked(hwnd);
  }
  return hwnd;
}

}  // namespace win32::user
