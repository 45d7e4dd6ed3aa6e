// DefDlgProcA, the window procedure of the dialog class: it offers every message to
// the dialog procedure first and does the dialog manager's default work only when that
// returns FALSE.
#include <cstdlib>

#include "user/controls/window_state_table.h"
#include "dialog_state.h"

namespace win32::user {
namespace {

WindowStateTable<DialogState>& states() {
  static auto* table = new WindowStateTable<DialogState>;
  return *table;
}

// Messages whose answer is the dialog procedure's return value itself; for all others
// a TRUE return means "handled, the answer is in DWLP_MSGRESULT".
bool answers_directly(UINT message) {
  switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
      return true;
    default:
      return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
  }
}

bool is_push_button(UINT code) { return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0; }

// The dialog's default push button: the DM_SETDEFID one, else the first control that
// calls itself a default push button.
HWND find_default_button(HWND hdlg) {
  auto state = dialog_state(hdlg);
  if (state && state->default_id) return GetDlgItem(hdlg, state->default_id);
  for (HWND c = GetWindow(hdlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (dialog_code(c) & DLGC_DEFPUSHBUTTON) return c;
  return nullptr;
}

LRESULT get_default_id(HWND hdlg) {
  auto state = dialog_state(hdlg);
  if (state && state->default_id) return MAKELONG(state->default_id, DC_HASDEFID);
  HWND button = find_default_button(hdlg);
  return button ? MAKELONG(GetDlgCtrlID(button), DC_HASDEFID) : 0;
}

// DM_SETDEFID: the old default button loses its heavy frame, the new one gets it.
void set_default_id(HWND hdlg, WORD id) {
  auto state = dialog_state(hdlg);
  if (!state) return;
  HWND old_button = find_default_button(hdlg);
  state->default_id = id;
  HWND new_button = GetDlgItem(hdlg, id);
  if (old_button && old_button != new_button && (dialog_code(old_button) & DLGC_DEFPUSHBUTTON))
    SendMessageA(old_button, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  if (new_button && (dialog_code(new_button) & DLGC_UNDEFPUSHBUTTON))
    SendMessageA(new_button, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void restore_focus(HWND hdlg) {
  auto state = dialog_state(hdlg);
  HWND target = state ? state->saved_focus : nullptr;
  if (!target || !IsWindow(target) || !IsChild(hdlg, target)) target = GetNextDlgTabItem(hdlg, nullptr, FALSE);
  if (target) set_dialog_focus(hdlg, target, false);
}

void save_focus(HWND hdlg) {
  auto state = dialog_state(hdlg);
  HWND focus = GetFocus();
  if (state && focus && IsChild(hdlg, focus)) state->saved_focus = focus;
}

LRESULT erase_background(HWND hdlg, HDC hdc) {
  HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(hdlg, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc),
                                                       reinterpret_cast<LPARAM>(hdlg)));
  if (!brush)
    brush = reinterpret_cast<HBRUSH>(DefWindowProcA(hdlg, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(hdc),
                                                    reinterpret_cast<LPARAM>(hdlg)));
  RECT client;
  GetClientRect(hdlg, &client);
  FillRect(hdc, &client, brush);
  return TRUE;
}

void close_dialog(HWND hdlg) {
  HWND cancel = GetDlgItem(hdlg, IDCANCEL);
  if (cancel && !IsWindowEnabled(cancel)) {
    MessageBeep(0);
    return;
  }
  PostMessageA(hdlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
}

void next_control(HWND hdlg, WPARAM wparam, LPARAM lparam) {
  HWND target;
  if (LOWORD(lparam))
    target = reinterpret_cast<HWND>(wparam);
  else
    target = GetNextDlgTabItem(hdlg, GetFocus(), wparam != 0);
  if (target) set_dialog_focus(hdlg, target, true);
}

LRESULT default_dialog_message(HWND hdlg, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return erase_background(hdlg, reinterpret_cast<HDC>(wparam));
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE)
        restore_focus(hdlg);
      else
        save_focus(hdlg);
      return 0;
    case WM_SETFOCUS:
      restore_focus(hdlg);
      return 0;
    case WM_KILLFOCUS:
      return 0;
    case WM_CLOSE:
      close_dialog(hdlg);
      return 0;
    case WM_NEXTDLGCTL:
      next_control(hdlg, wparam, lparam);
      return 0;
    case DM_GETDEFID:
      return get_default_id(hdlg);
    case DM_SETDEFID:
      set_default_id(hdlg, LOWORD(wparam));
      return TRUE;
    case WM_GETDLGCODE:
      return 0;
    case WM_SETFONT:
      if (auto state = dialog_state(hdlg)) state->font = reinterpret_cast<HFONT>(wparam);
      return 0;
    case WM_GETFONT: {
      auto state = dialog_state(hdlg);
      return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    }
    case WM_NCDESTROY: {
      auto state = dialog_state(hdlg);
      if (state && state->owns_font) DeleteObject(state->font);
      drop_dialog_state(hdlg);
      return DefWindowProcA(hdlg, message, wparam, lparam);
    }
    default:
      return DefWindowProcA(hdlg, message, wparam, lparam);
  }
}

int mul_div_rounded(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}

}  // namespace

std::shared_ptr<DialogState> dialog_state(HWND hdlg) { return states().find(hdlg); }
DialogState* create_dialog_state(HWND hdlg) { return states().create(hdlg); }
void drop_dialog_state(HWND hdlg) { states().erase(hdlg); }

int dialog_units_to_x(int units, const SIZE& base) { return mul_div_rounded(units, base.cx, 4); }
int dialog_units_to_y(int units, const SIZE& base) { return mul_div_rounded(units, base.cy, 8); }

SIZE base_units_of_font(HFONT font) {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
  SIZE extent{};
  TEXTMETRICA tm{};
  GetTextExtentPoint32A(dc, kLetters, 52, &extent);
  GetTextMetricsA(dc, &tm);
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  return SIZE{(extent.cx / 26 + 1) / 2, tm.tmHeight};
}

UINT dialog_code(HWND control, const MSG* msg) {
  if (!IsWindow(control)) return 0;
  return static_cast<UINT>(SendMessageA(control, WM_GETDLGCODE, msg ? msg->wParam : 0, reinterpret_cast<LPARAM>(msg)));
}

void set_dialog_focus(HWND hdlg, HWND control, bool select_text) {
  UINT code = dialog_code(control);
  if (select_text && (code & DLGC_HASSETSEL)) SendMessageA(control, EM_SETSEL, 0, -1);
  // A focused push button acts as the default and alone shows the heavy frame; when the
  // focus goes to anything else, the dialog's default button shows it again.
  HWND old_focus = GetFocus();
  bool old_has_frame = old_focus && old_focus != control && IsChild(hdlg, old_focus) &&
                       (dialog_code(old_focus) & DLGC_DEFPUSHBUTTON);
  HWND def = find_default_button(hdlg);
  if (is_push_button(code)) {
    if (old_has_frame) SendMessageA(old_focus, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (def && def != control && def != old_focus && (dialog_code(def) & DLGC_DEFPUSHBUTTON))
      SendMessageA(def, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (code & DLGC_UNDEFPUSHBUTTON) SendMessageA(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  } else {
    if (old_has_frame && old_focus != def) SendMessageA(old_focus, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    if (def && (dialog_code(def) & DLGC_UNDEFPUSHBUTTON)) SendMessageA(def, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  }
  SetFocus(control);
  if (auto state = dialog_state(hdlg)) state->saved_focus = control;
}

}  // namespace win32::user

using namespace win32::user;

LRESULT WINAPI DefDlgProcA(HWND hdlg, UINT message, WPARAM wparam, LPARAM lparam) {
  auto proc = reinterpret_cast<DLGPROC>(GetWindowLongPtrA(hdlg, DWLP_DLGPROC));
  if (proc) {
    SetWindowLongPtrA(hdlg, DWLP_MSGRESULT, 0);
    INT_PTR handled = proc(hdlg, message, wparam, lparam);
    if (answers_directly(message) && (handled || message == WM_INITDIALOG)) return handled;
    if (handled) return IsWindow(hdlg) ? GetWindowLongPtrA(hdlg, DWLP_MSGRESULT) : 0;
    if (!IsWindow(hdlg)) return 0;
  }
  return default_dialog_message(hdlg, message, wparam, lparam);
}
