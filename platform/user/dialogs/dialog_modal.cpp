// Modal dialogs: the owner is disabled before the dialog exists, a nested message loop
// runs until EndDialog, and on the way out the owner is enabled and activated again
// before the dialog is destroyed.
#include "dialog_modal.h"

#include "dialog_create.h"
#include "dialog_state.h"
#include "user/hooks.h"

namespace win32::user {
namespace {

bool has_ended(HWND hdlg) {
  auto state = dialog_state(hdlg);
  return !state || state->ended;
}

// WH_MSGFILTER sees each message of the loop first; a nonzero answer swallows it.
bool filtered(MSG* msg, int code) {
  if (!has_hooks(WH_MSGFILTER)) return false;
  return call_hooks(WH_MSGFILTER, code, 0, reinterpret_cast<LPARAM>(msg)) != 0;
}

}  // namespace

INT_PTR run_modal_loop(HWND hdlg, HWND owner, int filter_code, bool idle_messages) {
  MSG msg;
  while (!has_ended(hdlg) && IsWindow(hdlg)) {
    if (idle_messages && owner && !PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      SendMessageA(owner, WM_ENTERIDLE, static_cast<WPARAM>(filter_code), reinterpret_cast<LPARAM>(hdlg));
      if (has_ended(hdlg) || !IsWindow(hdlg)) break;
    }
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      // The quit request belongs to the loop outside; pass it on.
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (filtered(&msg, filter_code)) continue;
    if (!IsWindow(hdlg) || !IsDialogMessageA(hdlg, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  auto state = dialog_state(hdlg);
  INT_PTR result = state ? state->result : -1;
  if (state && !state->ended) EndDialog(hdlg, result);
  if (IsWindow(hdlg)) DestroyWindow(hdlg);
  return result;
}

INT_PTR run_modal_dialog(const DialogTemplate& t, HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param,
                         DWORD extra_ex_style) {
  // A modal dialog's owner is always a top-level window.
  while (owner && (GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) && GetParent(owner)) owner = GetParent(owner);
  HWND disabled = nullptr;
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabled = owner;
  }
  HWND hdlg = create_dialog(t, DialogCreation{instance, owner, proc, param, true, extra_ex_style, disabled});
  if (!hdlg) {
    if (disabled && !IsWindowEnabled(disabled)) EnableWindow(disabled, TRUE);
    return -1;
  }
  auto state = dialog_state(hdlg);
  if (state && !state->ended) {
    ShowWindow(hdlg, SW_SHOWNORMAL);
    if (!GetFocus() || !IsChild(hdlg, GetFocus())) SetActiveWindow(hdlg);
  }
  return run_modal_loop(hdlg, owner, MSGF_DIALOGBOX, !(t.style & DS_NOIDLEMSG));
}

}  // namespace win32::user

using namespace win32::user;

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND owner, DLGPROC proc,
                                       LPARAM param) {
  if (owner && !IsWindow(owner)) return 0;  // documented: 0 for a bad owner, for compatibility
  auto parsed = parse_dialog_template(tmpl, 0);
  if (!parsed) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  return run_modal_dialog(*parsed, instance, owner, proc, param, 0);
}

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR name, HWND owner, DLGPROC proc, LPARAM param) {
  if (owner && !IsWindow(owner)) return 0;
  auto parsed = load_dialog_template(instance, name);
  if (!parsed) return -1;
  return run_modal_dialog(*parsed, instance, owner, proc, param, 0);
}

BOOL WINAPI EndDialog(HWND hdlg, INT_PTR result) {
  auto state = dialog_state(hdlg);
  if (!state) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  state->result = result;
  if (state->ended) return TRUE;
  state->ended = true;
  // The order Windows keeps: owner enabled, dialog hidden, owner active again; the
  // loop then destroys the dialog before the next message.
  HWND owner = state->disabled_owner;
  state->disabled_owner = nullptr;
  if (owner) EnableWindow(owner, TRUE);
  bool was_active = GetActiveWindow() == hdlg;
  SetWindowPos(hdlg, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  HWND to_activate = owner ? owner : GetWindow(hdlg, GW_OWNER);
  if (was_active && to_activate) SetActiveWindow(to_activate);
  PostMessageA(hdlg, WM_NULL, 0, 0);  // wakes a loop waiting for its next message
  return TRUE;
}
