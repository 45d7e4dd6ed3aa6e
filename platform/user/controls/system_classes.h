// The platform's own window classes: the dialog class "#32770", the menu pop-up class
// "#32768" and the standard controls. They are registered once, on first need, before
// any class lookup that could name them.
#pragma once

#include <win32.h>

namespace win32::user {

void ensure_system_classes();

// The window procedures of the system classes.
LRESULT CALLBACK static_control_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK button_control_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK edit_control_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK listbox_control_proc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK menu_window_proc(HWND, UINT, WPARAM, LPARAM);

constexpr ATOM kDialogClassAtom = 0x8002;
constexpr ATOM kMenuClassAtom = 0x8000;
constexpr char kMenuClassName[] = "#32768";

}  // namespace win32::user
