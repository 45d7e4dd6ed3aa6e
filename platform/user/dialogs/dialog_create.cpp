// Creating a dialog from a parsed template: the dialog window sized from dialog units,
// its font, its controls in template order (which is also their tab and z order),
// WM_INITDIALOG and the initial focus.
#include "dialog_create.h"

#include <cstring>

#include "user/controls/system_classes.h"
#include "dialog_state.h"

namespace win32::user {
namespace {

// Template point sizes are at 96 dots per inch, like the screen.
constexpr int kScreenDpi = 96;
constexpr int kPointsPerInch = 72;

HFONT font_of_template(const DialogTemplate& t) {
  if (!t.has_font) return nullptr;
  int height = -((t.point_size * kScreenDpi + kPointsPerInch / 2) / kPointsPerInch);
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfWeight = FW_NORMAL;
  lf.lfCharSet = ANSI_CHARSET;
  std::strncpy(lf.lfFaceName, t.face_name.c_str(), LF_FACESIZE - 1);
  return CreateFontIndirectA(&lf);
}

// A title given as a resource ordinal reaches the control as the three bytes 0xFF, low,
// high, as on Windows (a static with SS_ICON reads its icon id from them).
struct ItemTitle {
  char ordinal[4]{};
  const char* text = nullptr;
};

ItemTitle title_of(const DialogItemTemplate& item) {
  ItemTitle t;
  if (!item.title.present) {
    t.text = "";
  } else if (item.title.is_ordinal) {
    t.ordinal[0] = static_cast<char>(0xFF);
    t.ordinal[1] = static_cast<char>(LOBYTE(item.title.ordinal));
    t.ordinal[2] = static_cast<char>(HIBYTE(item.title.ordinal));
    t.text = t.ordinal;
  } else {
    t.text = item.title.text.c_str();
  }
  return t;
}

RECT dialog_window_rect(const DialogTemplate& t, DWORD style, DWORD ex_style, bool has_menu, HWND owner,
                        const SIZE& base) {
  RECT r{0, 0, dialog_units_to_x(t.cx, base), dialog_units_to_y(t.cy, base)};
  AdjustWindowRectEx(&r, style, has_menu, ex_style);
  int x = dialog_units_to_x(t.x, base);
  int y = dialog_units_to_y(t.y, base);
  int width = r.right - r.left, height = r.bottom - r.top;
  if (style & DS_CENTER) {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (owner && !(style & WS_CHILD)) GetWindowRect(owner, &area);
    x = area.left + (area.right - area.left - width) / 2;
    y = area.top + (area.bottom - area.top - height) / 2;
  } else if (owner && !(style & WS_CHILD) && !(style & DS_ABSALIGN)) {
    // Pop-up dialogs are placed relative to the owner's client area.
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    x += origin.x;
    y += origin.y;
  }
  return RECT{x, y, x + width, y + height};
}

bool create_controls(HWND hdlg, const DialogTemplate& t, HINSTANCE instance, HFONT font, const SIZE& base) {
  for (const DialogItemTemplate& item : t.items) {
    ItemTitle title = title_of(item);
    DWORD style = item.style | WS_CHILD;
    DWORD ex_style = item.ex_style | WS_EX_NOPARENTNOTIFY;
    // The 3-D look: edit fields and list boxes framed with WS_BORDER get the sunken
    // client edge instead of the flat black line.
    if ((style & WS_BORDER) &&
        (lstrcmpiA(item.class_name.c_str(), "Edit") == 0 || lstrcmpiA(item.class_name.c_str(), "ListBox") == 0)) {
      style &= ~WS_BORDER;
      ex_style |= WS_EX_CLIENTEDGE;
    }
    HWND control = CreateWindowExA(ex_style, item.class_name.c_str(), title.text, style, dialog_units_to_x(item.x, base),
                                   dialog_units_to_y(item.y, base), dialog_units_to_x(item.cx, base),
                                   dialog_units_to_y(item.cy, base), hdlg,
                                   reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance,
                                   const_cast<void*>(item.creation_data));
    if (!control) {
      if (t.style & DS_NOFAILCREATE) continue;
      return false;
    }
    if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // The template's first default push button is the dialog's default (DM_GETDEFID),
    // whichever button later shows the heavy frame while it has the focus.
    auto state = dialog_state(hdlg);
    if (state && !state->default_id && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
        lstrcmpiA(item.class_name.c_str(), "Button") == 0)
      state->default_id = item.id;
  }
  return true;
}

}  // namespace

HWND create_dialog(const DialogTemplate& t, const DialogCreation& how) {
  ensure_system_classes();
  HWND owner = how.owner;
  DWORD style = t.style;
  DWORD ex_style = t.ex_style;
  if (style & DS_MODALFRAME) ex_style |= WS_EX_DLGMODALFRAME;
  if (style & DS_SYSMODAL) ex_style |= WS_EX_TOPMOST;
  if (how.modal) style &= ~WS_CHILD;
  if (how.extra_ex_style) ex_style |= how.extra_ex_style;
  if ((style & WS_CHILD) && !owner) return nullptr;

  HMENU menu = nullptr;
  if (t.menu.present && !(style & WS_CHILD)) {
    menu = LoadMenuA(how.instance, t.menu.is_ordinal ? MAKEINTRESOURCEA(t.menu.ordinal) : t.menu.text.c_str());
    if (!menu) return nullptr;
  }
  HFONT font = font_of_template(t);
  SIZE base = base_units_of_font(font);
  RECT rect = dialog_window_rect(t, style, ex_style, menu != nullptr, owner, base);
  const char* class_name = "#32770";
  if (t.class_name.present)
    class_name = t.class_name.is_ordinal ? MAKEINTRESOURCEA(t.class_name.ordinal) : t.class_name.text.c_str();

  HWND hdlg = CreateWindowExA(ex_style, class_name, t.title.c_str(), style & ~WS_VISIBLE, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, owner, menu, how.instance,
                              reinterpret_cast<LPVOID>(how.init_param));
  if (!hdlg) {
    if (font) DeleteObject(font);
    if (menu) DestroyMenu(menu);
    return nullptr;
  }
  DialogState* state = create_dialog_state(hdlg);
  state->font = font;
  state->owns_font = font != nullptr;
  state->base_units = base;
  state->modal = how.modal;
  state->disabled_owner = how.disabled_owner;
  SetWindowLongPtrA(hdlg, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(how.proc));
  if (font) SendMessageA(hdlg, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (!IsWindow(hdlg) || !create_controls(hdlg, t, how.instance, font, base)) {
    if (IsWindow(hdlg)) DestroyWindow(hdlg);
    return nullptr;
  }

  HWND first = GetNextDlgTabItem(hdlg, nullptr, FALSE);
  if (SendMessageA(hdlg, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), how.init_param) && IsWindow(hdlg)) {
    // The procedure may have disabled or hidden the suggested control meanwhile.
    auto current = dialog_state(hdlg);
    if (!current || !current->ended) {
      HWND focus = GetNextDlgTabItem(hdlg, nullptr, FALSE);
      if (!focus) focus = GetNextDlgGroupItem(hdlg, nullptr, FALSE);
      if (focus) set_dialog_focus(hdlg, focus, true);
    }
  }
  if (!IsWindow(hdlg)) return nullptr;
  auto current = dialog_state(hdlg);
  if ((t.style & WS_VISIBLE) && !(current && current->ended) && !IsWindowVisible(hdlg))
    ShowWindow(hdlg, SW_SHOWNORMAL);
  return hdlg;
}

}  // namespace win32::user

using namespace win32::user;

HWND WINAPI CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA tmpl, HWND parent, DLGPROC proc,
                                       LPARAM param) {
  if (parent && !IsWindow(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  auto parsed = parse_dialog_template(tmpl, 0);
  if (!parsed) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return create_dialog(*parsed, DialogCreation{instance, parent, proc, param, false});
}

HWND WINAPI CreateDialogParamA(HINSTANCE instance, LPCSTR name, HWND parent, DLGPROC proc, LPARAM param) {
  auto parsed = load_dialog_template(instance, name);
  if (!parsed) return nullptr;
  if (parent && !IsWindow(parent)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return create_dialog(*parsed, DialogCreation{instance, parent, proc, param, false});
}
