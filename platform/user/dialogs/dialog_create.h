// The dialog manager's creation path, shared by the modeless and modal calls and by
// message boxes.
#pragma once

#include <win32.h>

#include <optional>

#include "dialog_template.h"

namespace win32::user {

struct DialogCreation {
  HINSTANCE instance = nullptr;
  HWND owner = nullptr;  // the parent of a WS_CHILD dialog, else the owner
  DLGPROC proc = nullptr;
  LPARAM init_param = 0;
  bool modal = false;
  DWORD extra_ex_style = 0;
  HWND disabled_owner = nullptr;  // a modal dialog's owner, enabled again by EndDialog
};

// Creates the dialog window and its controls, sends WM_INITDIALOG and sets the first
// focus. Returns null when the window or a control cannot be made (the window is then
// destroyed) or when the dialog destroyed itself during initialisation.
HWND create_dialog(const DialogTemplate& t, const DialogCreation& how);

// The RT_DIALOG resource `name` of the module, parsed; nothing (with the last error
// set) when it is missing or malformed.
std::optional<DialogTemplate> load_dialog_template(HINSTANCE instance, LPCSTR name);

}  // namespace win32::user
