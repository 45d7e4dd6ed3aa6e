// The class registry: one process-wide list of classes, looked up by name (without
// regard to case, as Windows does) or by atom.
#include "class_registry.h"

#include <strings.h>

#include <cstring>
#include <vector>

#include "last_error.h"
#include "user_lock.h"
#include "window_tree.h"
#include "user/controls/system_classes.h"

namespace win32::user {
namespace {

// Program classes get atoms from 0xC000 up, like Windows' string atoms.
constexpr ATOM kFirstProgramAtom = 0xC000;
constexpr ATOM kFirstSystemAtom = 0x8100;

struct Registry {
  std::vector<std::shared_ptr<WindowClass>> classes;
  ATOM next_program_atom = kFirstProgramAtom;
  ATOM next_system_atom = kFirstSystemAtom;
};

Registry& registry() {
  static Registry* r = new Registry;  // never destroyed: windows may outlive static teardown
  return *r;
}

bool is_atom(LPCSTR name) { return IS_INTRESOURCE(name); }

std::shared_ptr<WindowClass> make_class(const WNDCLASSA& wc) {
  auto c = std::make_shared<WindowClass>();
  c->name = wc.lpszClassName;
  c->style = wc.style;
  c->proc = wc.lpfnWndProc;
  c->class_extra = wc.cbClsExtra;
  c->window_extra = wc.cbWndExtra;
  c->instance = wc.hInstance;
  c->icon = wc.hIcon;
  c->cursor = wc.hCursor;
  c->background = wc.hbrBackground;
  if (wc.lpszMenuName && is_atom(wc.lpszMenuName))
    c->menu_resource = wc.lpszMenuName;
  else if (wc.lpszMenuName)
    c->menu_name = wc.lpszMenuName;
  return c;
}

ATOM add_class(const WNDCLASSA& wc, bool system, ATOM fixed_atom) {
  if (!wc.lpszClassName) return fail(ERROR_INVALID_PARAMETER, ATOM{0});
  if (is_atom(wc.lpszClassName) || wc.lpszClassName[0] == '\0')
    return fail(ERROR_INVALID_PARAMETER, ATOM{0});
  if (wc.cbWndExtra < 0 || wc.cbClsExtra < 0) return fail(ERROR_INVALID_PARAMETER, ATOM{0});
  UserLock lock(user_lock());
  if (find_class_locked(wc.lpszClassName)) return fail(ERROR_CLASS_ALREADY_EXISTS, ATOM{0});
  Registry& r = registry();
  auto c = make_class(wc);
  c->system = system;
  if (fixed_atom)
    c->atom = fixed_atom;
  else
    c->atom = system ? r.next_system_atom++ : r.next_program_atom++;
  r.classes.push_back(c);
  return c->atom;
}

void fill_wndclass(const WindowClass& c, WNDCLASSA* out) {
  out->style = c.style;
  out->lpfnWndProc = c.proc;
  out->cbClsExtra = c.class_extra;
  out->cbWndExtra = c.window_extra;
  out->hInstance = c.instance;
  out->hIcon = c.icon;
  out->hCursor = c.cursor;
  out->hbrBackground = c.background;
  out->lpszMenuName = c.menu_resource ? c.menu_resource
                                      : (c.menu_name.empty() ? nullptr : c.menu_name.c_str());
  out->lpszClassName = c.name.c_str();
}

}  // namespace

std::shared_ptr<WindowClass> find_class_locked(LPCSTR name) {
  if (!name) return nullptr;
  for (auto& c : registry().classes) {
    if (is_atom(name) ? c->atom == LOWORD(name) : strcasecmp(c->name.c_str(), name) == 0) return c;
  }
  return nullptr;
}

ATOM register_system_class(const WNDCLASSA& wc, ATOM fixed_atom) {
  return add_class(wc, true, fixed_atom);
}

}  // namespace win32::user

using namespace win32::user;

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
  if (!wc) return fail(ERROR_INVALID_PARAMETER, ATOM{0});
  return add_class(*wc, false, 0);
}

BOOL WINAPI UnregisterClassA(LPCSTR name, HINSTANCE) {
  UserLock lock(user_lock());
  auto c = find_class_locked(name);
  if (!c || c->system) return fail(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
  if (c->window_count > 0) return fail(ERROR_CLASS_HAS_WINDOWS, FALSE);
  auto& list = registry().classes;
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (*it == c) {
      list.erase(it);
      break;
    }
  }
  return TRUE;
}

BOOL WINAPI GetClassInfoA(HINSTANCE, LPCSTR name, LPWNDCLASSA out) {
  if (!out) return fail(ERROR_INVALID_PARAMETER, FALSE);
  ensure_system_classes();
  UserLock lock(user_lock());
  auto c = find_class_locked(name);
  if (!c) return fail(ERROR_CLASS_DOES_NOT_EXIST, FALSE);
  // The class stays registered while the program holds the returned names: classes are
  // only dropped by UnregisterClassA, after which the program must not use them.
  fill_wndclass(*c, out);
  return TRUE;
}

int WINAPI GetClassNameA(HWND hwnd, LPSTR buffer, int max_count) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, 0);
  if (!buffer || max_count <= 0) return fail(ERROR_INVALID_PARAMETER, 0);
  const std::string& name = w->window_class->name;
  int n = static_cast<int>(std::min<size_t>(name.size(), static_cast<size_t>(max_count - 1)));
  std::memcpy(buffer, name.data(), static_cast<size_t>(n));
  buffer[n] = '\0';
  return n;
}

ULONG_PTR WINAPI GetClassLongPtrA(HWND hwnd, int index) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, ULONG_PTR{0});
  const WindowClass& c = *w->window_class;
  switch (index) {
    case GCLP_HBRBACKGROUND: return reinterpret_cast<ULONG_PTR>(c.background);
    case GCLP_HCURSOR: return reinterpret_cast<ULONG_PTR>(c.cursor);
    case GCLP_HICON: return reinterpret_cast<ULONG_PTR>(c.icon);
    case GCLP_HMODULE: return reinterpret_cast<ULONG_PTR>(c.instance);
    case GCL_CBWNDEXTRA: return static_cast<ULONG_PTR>(c.window_extra);
    case GCL_CBCLSEXTRA: return static_cast<ULONG_PTR>(c.class_extra);
    case GCLP_WNDPROC: return reinterpret_cast<ULONG_PTR>(c.proc);
    case GCL_STYLE: return c.style;
    case GCW_ATOM: return c.atom;
    default: return fail(ERROR_INVALID_INDEX, ULONG_PTR{0});
  }
}

ULONG_PTR WINAPI SetClassLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, ULONG_PTR{0});
  WindowClass& c = *w->window_class;
  auto swap = [&](auto& field) {
    ULONG_PTR old = reinterpret_cast<ULONG_PTR>(field);
    field = reinterpret_cast<std::remove_reference_t<decltype(field)>>(value);
    return old;
  };
  switch (index) {
    case GCLP_HBRBACKGROUND: return swap(c.background);
    case GCLP_HCURSOR: return swap(c.cursor);
    case GCLP_HICON: return swap(c.icon);
    case GCLP_WNDPROC: return swap(c.proc);
    case GCL_STYLE: {
      ULONG_PTR old = c.style;
      c.style = static_cast<UINT>(value);
      return old;
    }
    default: return fail(ERROR_INVALID_INDEX, ULONG_PTR{0});
  }
}
