// The modal dialog loop, shared by DialogBox* and MessageBox*.
#pragma once

#include <win32.h>

#include "dialog_template.h"

namespace win32::user {

// Disables the owner, creates and shows the dialog, runs the loop and returns the
// EndDialog result (-1 when the dialog cannot be made).
INT_PTR run_modal_dialog(const DialogTemplate& t, HINSTANCE instance, HWND owner, DLGPROC proc, LPARAM param,
                         DWORD extra_ex_style);

// Runs the nested loop of an existing modal dialog until EndDialog; destroys it and
// returns its result.
INT_PTR run_modal_loop(HWND hdlg, HWND owner, int filter_code, bool idle_messages);

}  // namespace win32::user
