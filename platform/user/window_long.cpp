// Window data: GetWindowLongPtrA/SetWindowLongPtrA and the 32-bit forms. Negative
// indexes name fields of the window; non-negative ones are byte offsets into the
// class's cbWndExtra bytes (where the dialog manager keeps DWLP_* slots).
#include <cstring>

#include "last_error.h"
#include "message_queue.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

template <typename T>
bool read_extra(const Window& w, int offset, T* out) {
  if (offset < 0 || static_cast<size_t>(offset) + sizeof(T) > w.extra.size()) return false;
  std::memcpy(out, w.extra.data() + offset, sizeof(T));
  return true;
}

template <typename T>
bool write_extra(Window& w, int offset, T value, T* old) {
  if (!read_extra(w, offset, old)) return false;
  std::memcpy(w.extra.data() + offset, &value, sizeof(T));
  return true;
}

LONG_PTR get_field(HWND hwnd, int index) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, LONG_PTR{0});
  switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->is_child() ? w->parent : w->owner);
    case GWLP_ID: return reinterpret_cast<LONG_PTR>(w->menu);
    case GWL_STYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->style));
    case GWL_EXSTYLE: return static_cast<LONG_PTR>(static_cast<LONG>(w->ex_style));
    case GWLP_USERDATA: return w->user_data;
    default: {
      LONG_PTR value = 0;
      if (!read_extra(*w, index, &value)) return fail(ERROR_INVALID_INDEX, LONG_PTR{0});
      return value;
    }
  }
}

// Style changes are announced to the window before and after, as Windows does.
LONG_PTR set_style(HWND hwnd, int index, LONG_PTR value) {
  STYLESTRUCT change{};
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, LONG_PTR{0});
    change.styleOld = index == GWL_STYLE ? w->style : w->ex_style;
  }
  change.styleNew = static_cast<DWORD>(value);
  send_message(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, LONG_PTR{0});
    (index == GWL_STYLE ? w->style : w->ex_style) = change.styleNew;
  }
  send_message(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
  return static_cast<LONG_PTR>(static_cast<LONG>(change.styleOld));
}

LONG_PTR set_field(HWND hwnd, int index, LONG_PTR value) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE) return set_style(hwnd, index, value);
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, LONG_PTR{0});
  auto swap = [&](auto& field) {
    LONG_PTR old = reinterpret_cast<LONG_PTR>(field);
    field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(value);
    return old;
  };
  switch (index) {
    case GWLP_WNDPROC:
      // Another thread may not subclass a window.
      if (w->thread_id != current_thread_id()) return fail(ERROR_ACCESS_DENIED, LONG_PTR{0});
      return swap(w->proc);
    case GWLP_HINSTANCE: return swap(w->instance);
    case GWLP_HWNDPARENT: {
      if (w->is_child()) return reinterpret_cast<LONG_PTR>(w->parent);  // changes only the owner
      HWND owner = reinterpret_cast<HWND>(value);
      if (owner && !window_locked(owner)) return fail(ERROR_INVALID_WINDOW_HANDLE, LONG_PTR{0});
      HWND old = w->owner;
      w->owner = owner ? top_level_of_locked(owner) : nullptr;
      return reinterpret_cast<LONG_PTR>(old);
    }
    case GWLP_ID: return swap(w->menu);
    case GWLP_USERDATA: {
      LONG_PTR old = w->user_data;
      w->user_data = value;
      return old;
    }
    default: {
      LONG_PTR old = 0;
      if (!write_extra(*w, index, value, &old)) return fail(ERROR_INVALID_INDEX, LONG_PTR{0});
      return old;
    }
  }
}

// The pointer-valued indexes have no 32-bit form in a 64-bit process.
bool pointer_index(int index) {
  return index == GWLP_WNDPROC || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT;
}

}  // namespace
}  // namespace win32::user

using namespace win32::user;

LONG_PTR WINAPI GetWindowLongPtrA(HWND hwnd, int index) { return get_field(hwnd, index); }

LONG_PTR WINAPI SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  return set_field(hwnd, index, value);
}

LONG WINAPI GetWindowLongA(HWND hwnd, int index) {
  if (pointer_index(index)) return fail(ERROR_INVALID_INDEX, LONG{0});
  if (index >= 0) {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, LONG{0});
    LONG value = 0;
    if (!read_extra(*w, index, &value)) return fail(ERROR_INVALID_INDEX, LONG{0});
    return value;
  }
  return static_cast<LONG>(get_field(hwnd, index));
}

LONG WINAPI SetWindowLongA(HWND hwnd, int index, LONG value) {
  if (pointer_index(index)) return fail(ERROR_INVALID_INDEX, LONG{0});
  if (index >= 0) {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, LONG{0});
    LONG old = 0;
    if (!write_extra(*w, index, value, &old)) return fail(ERROR_INVALID_INDEX, LONG{0});
    return old;
  }
  return static_cast<LONG>(set_field(hwnd, index, value));
}
