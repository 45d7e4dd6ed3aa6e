// MessageBoxA/MessageBoxExA: a modal "#32770" dialog laid out from its text: the icon
// its style asks for, the text wrapped to a readable width, and the buttons of its type,
// centred under the text.
#include <algorithm>
#include <string>
#include <vector>

#include "dialog_modal.h"
#include "dialog_state.h"

namespace win32::user {
namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonGap = 8;
constexpr int kButtonMinWidth = 88;
constexpr int kButtonPadding = 16;
constexpr int kButtonHeight = 26;
constexpr int kIconControlId = 20;
constexpr int kTextControlId = 0xFFFF;

struct ButtonSpec {
  int id;
  const char* text;
};

struct BoxRequest {
  const char* text;
  UINT type;
  std::vector<ButtonSpec> buttons;
};

std::vector<ButtonSpec> buttons_of(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL: return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO: return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL: return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default: return {{IDOK, "OK"}};
  }
}

WORD icon_of(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND: return 32513;         // IDI_HAND
    case MB_ICONQUESTION: return 32514;     // IDI_QUESTION
    case MB_ICONEXCLAMATION: return 32515;  // IDI_EXCLAMATION
    case MB_ICONASTERISK: return 32516;     // IDI_ASTERISK
    default: return 0;
  }
}

BoxRequest* request_of(HWND hdlg) { return reinterpret_cast<BoxRequest*>(GetWindowLongPtrA(hdlg, DWLP_USER)); }

bool has_button(const BoxRequest& r, int id) {
  return std::any_of(r.buttons.begin(), r.buttons.end(), [id](const ButtonSpec& b) { return b.id == id; });
}

SIZE measure_text(HWND hdlg, const char* text, int max_width) {
  HDC dc = GetDC(hdlg);
  RECT r{0, 0, max_width, 0};
  DrawTextA(dc, text, -1, &r, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  ReleaseDC(hdlg, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

int button_width(HWND hdlg, const BoxRequest& r) {
  int widest = kButtonMinWidth;
  HDC dc = GetDC(hdlg);
  for (const ButtonSpec& b : r.buttons) {
    SIZE s{};
    GetTextExtentPoint32A(dc, b.text, static_cast<int>(std::char_traits<char>::length(b.text)), &s);
    widest = std::max(widest, static_cast<int>(s.cx) + kButtonPadding);
  }
  ReleaseDC(hdlg, dc);
  return widest;
}

void lay_out(HWND hdlg, const BoxRequest& r) {
  HINSTANCE none = nullptr;
  WORD icon = icon_of(r.type);
  int text_left = icon ? kMargin * 2 + kIconSize : kMargin;
  SIZE text = measure_text(hdlg, r.text, GetSystemMetrics(SM_CXSCREEN) * 5 / 8);
  int text_top = kMargin;
  if (icon && text.cy < kIconSize) text_top += (kIconSize - text.cy) / 2;
  int body_height = std::max(icon ? kIconSize : 0, static_cast<int>(text.cy) + text_top - kMargin);

  int bw = button_width(hdlg, r);
  int count = static_cast<int>(r.buttons.size());
  int buttons_width = count * bw + (count - 1) * kButtonGap;
  int client_width = std::max(text_left + static_cast<int>(text.cx) + kMargin, buttons_width + 2 * kMargin);
  int buttons_top = kMargin + body_height + kMargin;
  int client_height = buttons_top + kButtonHeight + kMargin;

  if (icon) {
    char ordinal[4] = {static_cast<char>(0xFF), static_cast<char>(LOBYTE(icon)), static_cast<char>(HIBYTE(icon)), 0};
    CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Static", ordinal, WS_CHILD | WS_VISIBLE | SS_ICON, kMargin, kMargin,
                    kIconSize, kIconSize, hdlg, reinterpret_cast<HMENU>(kIconControlId), none, nullptr);
  }
  CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Static", r.text, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, text_left,
                  text_top, text.cx, text.cy, hdlg, reinterpret_cast<HMENU>(kTextControlId), none, nullptr);

  int default_index = static_cast<int>((r.type & MB_DEFMASK) >> 8);
  if (default_index >= count) default_index = 0;
  int x = (client_width - buttons_width) / 2;
  for (int i = 0; i < count; ++i) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    if (i == 0) style |= WS_GROUP;
    CreateWindowExA(WS_EX_NOPARENTNOTIFY, "Button", r.buttons[static_cast<size_t>(i)].text, style, x, buttons_top,
                    bw, kButtonHeight, hdlg, reinterpret_cast<HMENU>(static_cast<INT_PTR>(r.buttons[static_cast<size_t>(i)].id)),
                    none, nullptr);
    x += bw + kButtonGap;
  }

  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(hdlg, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(hdlg, GWL_EXSTYLE)));
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  SetWindowPos(hdlg, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);

  int default_id = r.buttons[static_cast<size_t>(default_index)].id;
  SendMessageA(hdlg, DM_SETDEFID, static_cast<WPARAM>(default_id), 0);
  set_dialog_focus(hdlg, GetDlgItem(hdlg, default_id), false);
}

INT_PTR CALLBACK message_box_proc(HWND hdlg, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* r = reinterpret_cast<BoxRequest*>(lparam);
      SetWindowLongPtrA(hdlg, DWLP_USER, lparam);
      lay_out(hdlg, *r);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      BoxRequest* r = request_of(hdlg);
      if (!r || HIWORD(wparam) != BN_CLICKED) return FALSE;
      int id = LOWORD(wparam);
      // Escape and the close box mean Cancel where there is one, OK in a lone-OK box,
      // and nothing otherwise.
      if (id == IDCANCEL && !has_button(*r, IDCANCEL)) {
        if ((r->type & MB_TYPEMASK) != MB_OK) return TRUE;
        id = IDOK;
      }
      if (has_button(*r, id)) EndDialog(hdlg, id);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// The empty dialog the box starts as: caption and frame only; WM_INITDIALOG adds the
// controls and the size.
std::vector<WORD> box_template(const char* caption, UINT type) {
  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  if (type & MB_SYSTEMMODAL) style |= DS_SYSMODAL;
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  words[0] = LOWORD(style);
  words[1] = HIWORD(style);
  words.push_back(0);  // no menu
  words.push_back(0);  // the dialog class
  for (const char* p = caption; *p; ++p) words.push_back(static_cast<unsigned char>(*p));
  words.push_back(0);
  return words;
}

// MB_TASKMODAL without an owner: every enabled top-level window of the thread is
// disabled while the box is up.
std::vector<HWND> disable_thread_windows() {
  std::vector<HWND> disabled;
  DWORD thread = GetCurrentThreadId();
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (GetWindowThreadProcessId(w, nullptr) == thread && IsWindowEnabled(w)) disabled.push_back(w);
  }
  for (HWND w : disabled) EnableWindow(w, FALSE);
  return disabled;
}

}  // namespace
}  // namespace win32::user

using namespace win32::user;

int WINAPI MessageBoxExA(HWND owner, LPCSTR text, LPCSTR caption, UINT type, WORD) {
  if (owner && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  BoxRequest request{text ? text : "", type, buttons_of(type)};
  std::vector<WORD> words = box_template(caption ? caption : "Error", type);
  auto parsed = parse_dialog_template(words.data(), words.size() * sizeof(WORD));
  if (!parsed) return 0;
  std::vector<HWND> disabled;
  if (!owner && (type & MB_TASKMODAL)) disabled = disable_thread_windows();
  DWORD ex_style = (type & (MB_SYSTEMMODAL | MB_TOPMOST)) ? WS_EX_TOPMOST : 0;
  INT_PTR result = run_modal_dialog(*parsed, nullptr, owner, message_box_proc,
                                    reinterpret_cast<LPARAM>(&request), ex_style);
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  return result < 0 ? 0 : static_cast<int>(result);
}

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return MessageBoxExA(owner, text, caption, type, 0);
}
