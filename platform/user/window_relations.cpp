// Questions about the window tree: validity, parents, owners, siblings in z-order.
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "last_error.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

// Collects hwnd's descendants, depth first in z-order, as EnumChildWindows visits them.
void collect_descendants_locked(HWND hwnd, std::vector<HWND>* out) {
  Window* w = window_locked(hwnd);
  if (!w) return;
  for (HWND child : w->children) {
    out->push_back(child);
    collect_descendants_locked(child, out);
  }
}

HWND sibling_at(const std::vector<HWND>& list, std::ptrdiff_t index) {
  if (index < 0 || index >= static_cast<std::ptrdiff_t>(list.size())) return nullptr;
  return list[static_cast<size_t>(index)];
}

}  // namespace
}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI IsWindow(HWND hwnd) {
  UserLock lock(user_lock());
  return window_locked(hwnd) ? TRUE : FALSE;
}

BOOL WINAPI IsChild(HWND parent, HWND hwnd) {
  UserLock lock(user_lock());
  if (!window_locked(parent)) return FALSE;
  // Only child windows link upwards here: an owned popup is not a child of its owner.
  Window* w = window_locked(hwnd);
  while (w && w->is_child() && w->parent) {
    if (w->parent == parent) return TRUE;
    w = window_locked(w->parent);
  }
  return FALSE;
}

HWND WINAPI GetParent(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
  if (w->is_child()) return w->parent;
  if (w->style & WS_POPUP) return w->owner;
  return nullptr;
}

HWND WINAPI GetTopWindow(HWND hwnd) {
  UserLock lock(user_lock());
  if (!hwnd) {
    auto& top = top_level_windows_locked();
    return top.empty() ? nullptr : top.front();
  }
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
  return w->children.empty() ? nullptr : w->children.front();
}

HWND WINAPI GetWindow(HWND hwnd, UINT command) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
  const std::vector<HWND>& siblings = siblings_locked(*w);
  auto here = std::find(siblings.begin(), siblings.end(), hwnd) - siblings.begin();
  switch (command) {
    case GW_HWNDFIRST: return sibling_at(siblings, 0);
    case GW_HWNDLAST: return sibling_at(siblings, static_cast<std::ptrdiff_t>(siblings.size()) - 1);
    case GW_HWNDNEXT: return sibling_at(siblings, here + 1);
    case GW_HWNDPREV: return sibling_at(siblings, here - 1);
    case GW_OWNER: return w->is_child() ? nullptr : w->owner;
    case GW_CHILD: return w->children.empty() ? nullptr : w->children.front();
    case GW_ENABLEDPOPUP: return nullptr;
    default: return fail(ERROR_INVALID_PARAMETER, HWND{nullptr});
  }
}

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM lparam) {
  if (!callback) return fail(ERROR_INVALID_PARAMETER, FALSE);
  std::vector<HWND> windows;
  {
    UserLock lock(user_lock());
    if (!parent) {
      for (HWND top : top_level_windows_locked()) {
        windows.push_back(top);
        collect_descendants_locked(top, &windows);
      }
    } else {
      if (!window_locked(parent)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
      collect_descendants_locked(parent, &windows);
    }
  }
  // The list is a snapshot: windows destroyed by the callback are skipped, not visited.
  for (HWND hwnd : windows) {
    if (!IsWindow(hwnd)) continue;
    if (!callback(hwnd, lparam)) break;
  }
  return TRUE;
}

HWND WINAPI FindWindowA(LPCSTR class_name, LPCSTR title) {
  UserLock lock(user_lock());
  for (HWND top : top_level_windows_locked()) {
    Window* w = window_locked(top);
    if (!w || w->life == WindowLife::Creating) continue;
    if (class_name) {
      const WindowClass& c = *w->window_class;
      bool match = IS_INTRESOURCE(class_name) ? c.atom == LOWORD(class_name)
                                              : strcasecmp(c.name.c_str(), class_name) == 0;
      if (!match) continue;
    }
    if (title && w->text != title) continue;
    return top;
  }
  return nullptr;
}

DWORD WINAPI GetWindowThreadProcessId(HWND hwnd, LPDWORD process_id) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, DWORD{0});
  if (process_id) *process_id = static_cast<DWORD>(getpid());
  return w->thread_id;
}
