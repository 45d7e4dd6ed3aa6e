#include "system_classes.h"

#include <mutex>

#include "user/class_registry.h"
#include "user/menus/menu_bar_hooks.h"

namespace win32::user {
namespace {

constexpr int kControlExtraBytes = static_cast<int>(sizeof(LONG_PTR));

void register_class(const char* name, WNDPROC proc, UINT style, int extra,
                    ATOM atom = 0) {
  WNDCLASSA wc{};
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.cbWndExtra = extra;
  wc.lpszClassName = name;
  register_system_class(wc, atom);
}

void register_all() {
  register_class("#32770", DefDlgProcA, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA,
                 kDialogClassAtom);
  register_class(kMenuClassName, menu_window_proc, CS_DBLCLKS | CS_SAVEBITS, 0,
                 kMenuClassAtom);
  register_class("Button", button_control_proc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC,
                 kControlExtraBytes);
  register_class("Static", static_control_proc, CS_DBLCLKS | CS_PARENTDC, kControlExtraBytes);
  register_class("Edit", edit_control_proc, CS_DBLCLKS | CS_PARENTDC, kControlExtraBytes);
  register_class("ListBox", listbox_control_proc, CS_DBLCLKS | CS_PARENTDC, kControlExtraBytes);
}

}  // namespace

void ensure_system_classes() {
  static std::once_flag once;
  std::call_once(once, [] {
    register_all();
    install_menu_bar_painter();
  });
}

}  // namespace win32::user
