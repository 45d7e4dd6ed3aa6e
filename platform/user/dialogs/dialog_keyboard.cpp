// The dialog keyboard interface: IsDialogMessageA with Tab, arrows, Enter, Escape and
// mnemonics, and the tab and group order it walks.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "dialog_state.h"

namespace win32::user {
namespace {

std::vector<HWND> controls_of(HWND hdlg) {
  std::vector<HWND> list;
  for (HWND c = GetWindow(hdlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) list.push_back(c);
  return list;
}

LONG style_of(HWND hwnd) { return GetWindowLongA(hwnd, GWL_STYLE); }

// The control's own WS_VISIBLE and WS_DISABLED count, not its parents': the dialog may
// still be hidden while its first focus is chosen.
bool can_take_focus(HWND hwnd) { return (style_of(hwnd) & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE; }

// The control itself when it is one of the dialog's children, else the child of the
// dialog that contains it (focus may sit in a grandchild), else null.
HWND dialog_child_of(HWND hdlg, HWND hwnd) {
  while (hwnd && GetParent(hwnd) != hdlg) hwnd = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr;
  return hwnd;
}

// The dialog's controls in z (template) order; false for a dead dialog handle.
bool dialog_controls(HWND hdlg, std::vector<HWND>* out) {
  if (!IsWindow(hdlg)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  *out = controls_of(hdlg);
  return !out->empty();
}

// The first control after (or before) position `from`, going round, that `wanted`
// accepts; null when none does.
template <typename Wanted>
HWND walk_ring(const std::vector<HWND>& ring, long from, bool previous, Wanted&& wanted) {
  long n = static_cast<long>(ring.size());
  for (long step = 1; step <= n; ++step) {
    long i = previous ? ((from - step) % n + n) % n : (from + step) % n;
    if (wanted(ring[static_cast<size_t>(i)])) return ring[static_cast<size_t>(i)];
  }
  return nullptr;
}

long index_of(const std::vector<HWND>& list, HWND hwnd) {
  for (size_t i = 0; i < list.size(); ++i)
    if (list[i] == hwnd) return static_cast<long>(i);
  return -1;
}

// The character after the first single '&' of a control's text, lower-cased, or 0.
char mnemonic_of(HWND hwnd) {
  char text[256];
  GetWindowTextA(hwnd, text, sizeof text);
  for (const char* p = text; *p; ++p) {
    if (*p != '&') continue;
    if (p[1] == '&') {
      ++p;
      continue;
    }
    return static_cast<char>(std::tolower(static_cast<unsigned char>(p[1])));
  }
  return 0;
}

void click_or_focus(HWND hdlg, HWND control) {
  UINT code = dialog_code(control);
  if (code & DLGC_STATIC) {
    // A label hands its mnemonic on to the next control that can take the focus.
    control = GetNextDlgTabItem(hdlg, control, FALSE);
    if (!control) return;
    code = dialog_code(control);
  }
  if (code & DLGC_BUTTON) {
    set_dialog_focus(hdlg, control, false);
    SendMessageA(control, BM_CLICK, 0, 0);
  } else {
    set_dialog_focus(hdlg, control, true);
  }
}

// Alt+letter, or a plain letter when the focused control does not want characters.
bool handle_mnemonic(HWND hdlg, HWND focus, char key) {
  char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
  if (!wanted) return false;
  std::vector<HWND> list = controls_of(hdlg);
  long start = index_of(list, dialog_child_of(hdlg, focus));
  for (size_t step = 1; step <= list.size(); ++step) {
    HWND c = list[(static_cast<size_t>(start + 1) + step - 1) % list.size()];
    if (!can_take_focus(c) && !(dialog_code(c) & DLGC_STATIC)) continue;
    if (mnemonic_of(c) == wanted) {
      click_or_focus(hdlg, c);
      return true;
    }
  }
  return false;
}

void press_default(HWND hdlg, HWND focus) {
  WORD id = IDOK;
  HWND focused_child = dialog_child_of(hdlg, focus);
  UINT code = focused_child ? dialog_code(focused_child) : 0;
  if (focused_child && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) && IsWindowEnabled(focused_child)) {
    id = static_cast<WORD>(GetDlgCtrlID(focused_child));
  } else {
    DWORD def = static_cast<DWORD>(SendMessageA(hdlg, DM_GETDEFID, 0, 0));
    if (HIWORD(def) == DC_HASDEFID) id = LOWORD(def);
  }
  HWND button = GetDlgItem(hdlg, id);
  if (button && !IsWindowEnabled(button)) {
    MessageBeep(0);
    return;
  }
  SendMessageA(hdlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void move_in_group(HWND hdlg, HWND focus, bool previous) {
  HWND next = GetNextDlgGroupItem(hdlg, dialog_child_of(hdlg, focus), previous);
  if (!next) return;
  UINT code = dialog_code(next);
  set_dialog_focus(hdlg, next, true);
  // Auto radio buttons are checked as the focus arrives.
  if ((code & DLGC_RADIOBUTTON) && (style_of(next) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
    SendMessageA(next, BM_CLICK, 0, 0);
}

// Returns true when the key was the dialog's to handle.
bool handle_key_down(HWND hdlg, MSG* msg) {
  HWND focus = GetFocus();
  UINT code = msg->hwnd ? dialog_code(msg->hwnd, msg) : 0;
  if (code & DLGC_WANTALLKEYS) return false;
  bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg->wParam) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      SendMessageA(hdlg, WM_NEXTDLGCTL, shift ? 1 : 0, 0);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (code & DLGC_WANTARROWS) return false;
      move_in_group(hdlg, focus, msg->wParam == VK_LEFT || msg->wParam == VK_UP);
      return true;
    case VK_ESCAPE:
    case VK_CANCEL:
      SendMessageA(hdlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hdlg, IDCANCEL)));
      return true;
    case VK_RETURN:
      press_default(hdlg, focus);
      return true;
    default:
      return false;
  }
}

bool handle_char(HWND hdlg, MSG* msg, bool alt) {
  UINT code = msg->hwnd ? dialog_code(msg->hwnd, msg) : 0;
  if (!alt) {
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTCHARS)) return false;
    if (msg->wParam == '\t' && (code & DLGC_WANTTAB)) return false;
    // The keys the dialog turned into commands leave no character behind.
    if (msg->wParam == '\t' || msg->wParam == '\r' || msg->wParam == 0x1B) return true;
  }
  return handle_mnemonic(hdlg, GetFocus(), static_cast<char>(msg->wParam));
}

}  // namespace
}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI IsDialogMessageA(HWND hdlg, LPMSG msg) {
  if (!msg || !IsWindow(hdlg)) return FALSE;
  if (msg->hwnd != hdlg && !IsChild(hdlg, msg->hwnd)) return FALSE;
  switch (msg->message) {
    case WM_KEYDOWN:
      if (handle_key_down(hdlg, msg)) return TRUE;
      break;
    case WM_CHAR:
      if (handle_char(hdlg, msg, false)) return TRUE;
      break;
    case WM_SYSCHAR:
      if (handle_char(hdlg, msg, true)) return TRUE;
      break;
    default:
      break;
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}

HWND WINAPI GetNextDlgTabItem(HWND hdlg, HWND control, BOOL previous) {
  std::vector<HWND> list;
  if (!dialog_controls(hdlg, &list)) return nullptr;
  long start = control ? index_of(list, dialog_child_of(hdlg, control)) : -1;
  // From no control, the walk begins at the first (or, backwards, the last) one itself.
  if (start < 0) start = previous ? 0 : static_cast<long>(list.size()) - 1;
  HWND next = walk_ring(list, start, previous, [](HWND c) { return (style_of(c) & WS_TABSTOP) && can_take_focus(c); });
  return next ? next : control;
}

HWND WINAPI GetNextDlgGroupItem(HWND hdlg, HWND control, BOOL previous) {
  std::vector<HWND> list;
  if (!dialog_controls(hdlg, &list)) return nullptr;
  long n = static_cast<long>(list.size());
  long at = control ? std::max(0L, index_of(list, dialog_child_of(hdlg, control))) : 0;
  // The group runs from the WS_GROUP control at or before `at` to the next WS_GROUP.
  long first = at;
  while (first > 0 && !(style_of(list[static_cast<size_t>(first)]) & WS_GROUP)) --first;
  long end = at + 1;
  while (end < n && !(style_of(list[static_cast<size_t>(end)]) & WS_GROUP)) ++end;
  std::vector<HWND> group(list.begin() + first, list.begin() + end);
  HWND next = walk_ring(group, at - first, previous, can_take_focus);
  return next ? next : control;
}

BOOL WINAPI MapDialogRect(HWND hdlg, LPRECT rect) {
  auto state = dialog_state(hdlg);
  if (!state || !rect) {
    SetLastError(state ? ERROR_INVALID_PARAMETER : ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  rect->left = dialog_units_to_x(rect->left, state->base_units);
  rect->right = dialog_units_to_x(rect->right, state->base_units);
  rect->top = dialog_units_to_y(rect->top, state->base_units);
  rect->bottom = dialog_units_to_y(rect->bottom, state->base_units);
  return TRUE;
}

BOOL WINAPI CheckDlgButton(HWND hdlg, int id, UINT check) {
  HWND button = GetDlgItem(hdlg, id);
  if (!button) return FALSE;
  SendMessageA(button, BM_SETCHECK, check, 0);
  return TRUE;
}

UINT WINAPI IsDlgButtonChecked(HWND hdlg, int id) {
  HWND button = GetDlgItem(hdlg, id);
  return button ? static_cast<UINT>(SendMessageA(button, BM_GETCHECK, 0, 0)) : 0;
}
