// Dialog item helpers: items found by id among a window's children, their texts and
// numbers. Everything goes through WM_SETTEXT/WM_GETTEXT so controls (and other threads'
// windows) see the same messages they would on Windows.
#include "dialog_items.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <string>

#include "last_error.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {

ParsedInt parse_dialog_int(const char* text, bool is_signed) {
  ParsedInt out;
  if (!text) return out;
  const char* p = text;
  while (*p == ' ') ++p;
  bool negative = false;
  if (is_signed && *p == '-') {
    negative = true;
    ++p;
  }
  const std::uint64_t limit = is_signed ? (negative ? std::uint64_t{INT_MAX} + 1 : INT_MAX) : UINT_MAX;
  std::uint64_t magnitude = 0;
  const char* digits = p;
  while (*p >= '0' && *p <= '9') {
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(*p - '0');
    if (magnitude > limit) return ParsedInt{};
    ++p;
  }
  if (p == digits) return ParsedInt{};
  const char* rest = p;
  while (*rest == ' ') ++rest;
  std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
  out.value = negative ? 0u - bits : bits;
  out.translated = *rest == '\0';
  return out;
}

}  // namespace win32::user

using namespace win32::user;

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  UserLock lock(user_lock());
  Window* w = window_locked(dialog);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, HWND{nullptr});
  for (HWND child : w->children) {
    Window* c = window_locked(child);
    if (c && static_cast<int>(reinterpret_cast<LONG_PTR>(c->menu)) == id) return child;
  }
  return fail(ERROR_CONTROL_ID_NOT_FOUND, HWND{nullptr});
}

int WINAPI GetDlgCtrlID(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, 0);
  return static_cast<int>(reinterpret_cast<LONG_PTR>(w->menu));
}

BOOL WINAPI SetWindowTextA(HWND hwnd, LPCSTR text) {
  {
    UserLock lock(user_lock());
    if (!window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  }
  return send_message(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int WINAPI GetWindowTextA(HWND hwnd, LPSTR buffer, int max_count) {
  {
    UserLock lock(user_lock());
    if (!window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, 0);
  }
  if (!buffer || max_count <= 0) return 0;
  buffer[0] = '\0';
  LRESULT n = send_message(hwnd, WM_GETTEXT, static_cast<WPARAM>(max_count),
                           reinterpret_cast<LPARAM>(buffer));
  return static_cast<int>(n);
}

int WINAPI GetWindowTextLengthA(HWND hwnd) {
  {
    UserLock lock(user_lock());
    if (!window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, 0);
  }
  return static_cast<int>(send_message(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND item = GetDlgItem(dialog, id);
  return item ? SetWindowTextA(item, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int max_count) {
  if (buffer && max_count > 0) buffer[0] = '\0';
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  return static_cast<UINT>(GetWindowTextA(item, buffer, max_count));
}

UINT WINAPI GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed) {
  if (translated) *translated = FALSE;
  HWND item = GetDlgItem(dialog, id);
  if (!item) return 0;
  int length = GetWindowTextLengthA(item);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  GetWindowTextA(item, text.data(), static_cast<int>(text.size()));
  ParsedInt parsed = parse_dialog_int(text.c_str(), is_signed != FALSE);
  if (translated) *translated = parsed.translated ? TRUE : FALSE;
  return parsed.value;
}

BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed) {
  char text[16];
  if (is_signed)
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
  else
    std::snprintf(text, sizeof text, "%u", value);
  return SetDlgItemTextA(dialog, id, text);
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam) {
  HWND item = GetDlgItem(dialog, id);
  return item ? send_message(item, message, wparam, lparam) : 0;
}
