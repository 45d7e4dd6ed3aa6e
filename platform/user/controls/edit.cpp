// The "Edit" class, single line: typing, Backspace and Delete, caret moves with Shift
// selection, mouse placement and dragging, the EM_* selection and limit messages, and
// EN_CHANGE to the parent after every change the user or WM_SETTEXT makes.
#include <algorithm>
#include <cctype>
#include <string>

#include "control_common.h"
#include "edit_model.h"
#include "system_classes.h"
#include "window_state_table.h"

namespace win32::user {
namespace {

constexpr int kTextMargin = 2;

struct EditState {
  EditModel model;
  HFONT font = nullptr;
  bool focused = false;
  bool dragging = false;
  bool modified = false;
  int scroll = 0;  // pixels of text scrolled off to the left
};

WindowStateTable<EditState>& states() {
  static auto* table = new WindowStateTable<EditState>;
  return *table;
}

DWORD style_of(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

// Text as displayed: a password field shows one '*' per character.
std::string shown_text(HWND hwnd, const EditState& s) {
  if (style_of(hwnd) & ES_PASSWORD) return std::string(s.model.text().size(), '*');
  return s.model.text();
}

int text_width(HDC hdc, const std::string& text, std::size_t count) {
  SIZE size{};
  if (count) GetTextExtentPoint32A(hdc, text.data(), static_cast<int>(count), &size);
  return size.cx;
}

// Keeps the caret inside the visible width by scrolling the text sideways.
void scroll_to_caret(HWND hwnd, EditState& s) {
  HDC hdc = GetDC(hwnd);
  if (!hdc) return;
  std::string text = shown_text(hwnd, s);
  int caret_x = text_width(hdc, text, s.model.caret());
  ReleaseDC(hwnd, hdc);
  RECT r = client_rect_of(hwnd);
  int visible = std::max(1, static_cast<int>(r.right) - 2 * kTextMargin);
  if (caret_x < s.scroll) s.scroll = caret_x;
  if (caret_x > s.scroll + visible) s.scroll = caret_x - visible;
}

std::size_t position_at(HWND hwnd, const EditState& s, int x) {
  HDC hdc = GetDC(hwnd);
  if (!hdc) return 0;
  std::string text = shown_text(hwnd, s);
  int target = x - kTextMargin + s.scroll;
  std::size_t best = 0;
  for (std::size_t i = 1; i <= text.size(); ++i) {
    int left = text_width(hdc, text, i - 1), right = text_width(hdc, text, i);
    if (target >= (left + right) / 2) best = i;
  }
  ReleaseDC(hwnd, hdc);
  return best;
}

bool fits_width(HWND hwnd, const EditState& s) {
  HDC hdc = GetDC(hwnd);
  if (!hdc) return true;
  std::string text = shown_text(hwnd, s);
  int width = text_width(hdc, text, text.size());
  ReleaseDC(hwnd, hdc);
  return width <= static_cast<int>(client_rect_of(hwnd).right) - 2 * kTextMargin - 1;
}

void paint(HWND hwnd, HDC hdc, const EditState& s) {
  DWORD style = style_of(hwnd);
  bool enabled = IsWindowEnabled(hwnd) != FALSE;
  // A read-only or disabled field is coloured like a static text.
  UINT message = (style & ES_READONLY) || !enabled ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  HBRUSH brush = control_brush(hwnd, hdc, message);
  RECT r = client_rect_of(hwnd);
  FillRect(hdc, &r, brush);
  HGDIOBJ old_font = s.font ? SelectObject(hdc, s.font) : nullptr;
  if (!enabled) SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
  SetBkMode(hdc, TRANSPARENT);
  std::string text = shown_text(hwnd, s);
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  int top = std::max(0, static_cast<int>(r.bottom - tm.tmHeight) / 2);
  int x0 = kTextMargin - s.scroll;
  IntersectClipRect(hdc, r.left, r.top, r.right, r.bottom);
  TextOutA(hdc, x0, top, text.data(), static_cast<int>(text.size()));
  bool show_selection = s.focused || (style & ES_NOHIDESEL);
  if (show_selection && s.model.has_selection()) {
    std::size_t a = s.model.selection_start(), b = s.model.selection_end();
    RECT sel{x0 + text_width(hdc, text, a), top, x0 + text_width(hdc, text, b), top + tm.tmHeight};
    FillRect(hdc, &sel, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    TextOutA(hdc, sel.left, top, text.data() + a, static_cast<int>(b - a));
  }
  if (s.focused) {
    // The caret: a thin bar before the character at the caret position.
    int x = x0 + text_width(hdc, text, s.model.caret());
    RECT caret{x, top, x + 1, top + tm.tmHeight};
    InvertRect(hdc, &caret);
  }
  if (old_font) SelectObject(hdc, old_font);
}

void changed(HWND hwnd, EditState& s, bool by_user) {
  if (by_user) s.modified = true;
  scroll_to_caret(hwnd, s);
  InvalidateRect(hwnd, nullptr, TRUE);
  notify_parent(hwnd, EN_UPDATE);
  notify_parent(hwnd, EN_CHANGE);
}

void moved(HWND hwnd, EditState& s) {
  scroll_to_caret(hwnd, s);
  InvalidateRect(hwnd, nullptr, TRUE);
}

void type_character(HWND hwnd, EditState& s, char c) {
  DWORD style = style_of(hwnd);
  if (style & ES_READONLY) return;
  if (c == '\b') {
    if (s.model.erase_backward()) changed(hwnd, s, true);
    return;
  }
  if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return;
  if ((style & ES_NUMBER) && !std::isdigit(static_cast<unsigned char>(c))) {
    MessageBeep(0);
    return;
  }
  if (style & ES_UPPERCASE) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (style & ES_LOWERCASE) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EditModel before = s.model;
  // Without ES_AUTOHSCROLL the field takes only what fits in its width.
  if (!s.model.replace_selection(std::string(1, c)) || (!(style & ES_AUTOHSCROLL) && !fits_width(hwnd, s))) {
    s.model = before;
    notify_parent(hwnd, EN_MAXTEXT);
    return;
  }
  changed(hwnd, s, true);
}

void key_down(HWND hwnd, EditState& s, WPARAM key) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (key) {
    case VK_LEFT: s.model.move_left(shift); break;
    case VK_RIGHT: s.model.move_right(shift); break;
    case VK_HOME: s.model.move_home(shift); break;
    case VK_END: s.model.move_end(shift); break;
    case VK_DELETE:
      if (!(style_of(hwnd) & ES_READONLY) && s.model.erase_forward()) changed(hwnd, s, true);
      return;
    default: return;
  }
  moved(hwnd, s);
}

LRESULT get_text(const EditState& s, WPARAM capacity, char* buffer) {
  if (!buffer || capacity == 0) return 0;
  std::size_t n = std::min<std::size_t>(s.model.text().size(), capacity - 1);
  s.model.text().copy(buffer, n);
  buffer[n] = '\0';
  return static_cast<LRESULT>(n);
}

LRESULT get_selection(const EditState& s, WPARAM wparam, LPARAM lparam) {
  DWORD start = static_cast<DWORD>(s.model.selection_start()), end = static_cast<DWORD>(s.model.selection_end());
  if (auto* p = reinterpret_cast<DWORD*>(wparam)) *p = start;
  if (auto* p = reinterpret_cast<DWORD*>(lparam)) *p = end;
  return MAKELONG(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
}

LRESULT edit_message(HWND hwnd, EditState& s, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: return paint_window(hwnd, [&](HDC hdc) { paint(hwnd, hdc, s); });
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETTEXT:
      DefWindowProcA(hwnd, message, wparam, lparam);
      s.model.set_text(lparam ? reinterpret_cast<const char*>(lparam) : "");
      s.scroll = 0;
      changed(hwnd, s, false);
      return TRUE;
    case WM_GETTEXT: return get_text(s, wparam, reinterpret_cast<char*>(lparam));
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(s.model.text().size());
    case WM_CHAR: type_character(hwnd, s, static_cast<char>(wparam)); return 0;
    case WM_KEYDOWN: key_down(hwnd, s, wparam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(hwnd);
      s.model.move_to(position_at(hwnd, s, GET_X_LPARAM(lparam)), (wparam & MK_SHIFT) != 0);
      s.dragging = true;
      SetCapture(hwnd);
      moved(hwnd, s);
      return 0;
    case WM_MOUSEMOVE:
      if (s.dragging) {
        s.model.move_to(position_at(hwnd, s, GET_X_LPARAM(lparam)), true);
        moved(hwnd, s);
      }
      return 0;
    case WM_LBUTTONUP:
      if (s.dragging) {
        s.dragging = false;
        ReleaseCapture();
      }
      return 0;
    case WM_SETFOCUS:
      s.focused = true;
      InvalidateRect(hwnd, nullptr, TRUE);
      notify_parent(hwnd, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      s.focused = false;
      InvalidateRect(hwnd, nullptr, TRUE);
      notify_parent(hwnd, EN_KILLFOCUS);
      return 0;
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) InvalidateRect(hwnd, nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
    case EM_GETSEL: return get_selection(s, wparam, lparam);
    case EM_SETSEL:
      s.model.select(static_cast<long>(static_cast<int>(wparam)), static_cast<long>(static_cast<int>(lparam)));
      moved(hwnd, s);
      return 0;
    case EM_REPLACESEL:
      if (s.model.replace_selection(lparam ? reinterpret_cast<const char*>(lparam) : "")) changed(hwnd, s, true);
      return 0;
    case EM_LIMITTEXT: s.model.set_limit(static_cast<std::size_t>(wparam)); return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(s.model.limit());
    case EM_GETMODIFY: return s.modified ? TRUE : FALSE;
    case EM_SETMODIFY: s.modified = wparam != 0; return 0;
    case EM_SETREADONLY: {
      DWORD style = style_of(hwnd);
      SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(wparam ? style | ES_READONLY : style & ~ES_READONLY));
      InvalidateRect(hwnd, nullptr, TRUE);
      return TRUE;
    }
    default: return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

}  // namespace

LRESULT CALLBACK edit_control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return with_window_state(states(), hwnd, message, wparam, lparam, [&](EditState& s) {
    if (message == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lparam);
      if (cs && cs->lpszName && static_cast<unsigned char>(cs->lpszName[0]) != 0xFF) s.model.set_text(cs->lpszName);
      return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    return edit_message(hwnd, s, message, wparam, lparam);
  });
}

}  // namespace win32::user
