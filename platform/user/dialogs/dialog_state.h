// What the dialog manager remembers about each dialog window beyond its DWLP_* bytes:
// the font and base units its controls were laid out with, the control that last had
// the focus, the default button, and how a modal dialog ends.
#pragma once

#include <win32.h>

#include <memory>

namespace win32::user {

struct DialogState {
  HFONT font = nullptr;        // WM_SETFONT font of DS_SETFONT, or null (system font)
  bool owns_font = false;      // made from the template; deleted with the dialog
  SIZE base_units{};           // dialog base units: average char width, char height
  HWND saved_focus = nullptr;  // restored when the dialog is activated or focused
  WORD default_id = 0;         // DM_SETDEFID; 0 until set
  bool modal = false;
  bool ended = false;  // EndDialog was called; the modal loop ends before its next message
  INT_PTR result = 0;
  HWND disabled_owner = nullptr;  // the owner a modal dialog disabled, to enable again
};

// The state of a dialog made by the dialog manager, or null.
std::shared_ptr<DialogState> dialog_state(HWND hdlg);
DialogState* create_dialog_state(HWND hdlg);
void drop_dialog_state(HWND hdlg);

// Dialog units to pixels for the given base units (MulDiv rounding).
int dialog_units_to_x(int units, const SIZE& base);
int dialog_units_to_y(int units, const SIZE& base);

// Base units of a font: the average width of the 52 letters, rounded, and its height.
SIZE base_units_of_font(HFONT font);

// Gives a dialog control the focus as the keyboard interface does: an edit field that
// takes selections gets all its text selected, and the default push button follows.
void set_dialog_focus(HWND hdlg, HWND control, bool select_text);

// The WM_GETDLGCODE answer of a control (0 for a dead window).
UINT dialog_code(HWND control, const MSG* msg = nullptr);

}  // namespace win32::user
