// The "ListBox" class, single selection: sorted or unsorted items, selection by mouse
// and keyboard with LBN_SELCHANGE to the parent (LBS_NOTIFY), and a vertical scroll bar
// of its own in the non-client area when it has WS_VSCROLL.
#include <algorithm>
#include <cctype>
#include <string>

#include "control_common.h"
#include "listbox_dir.h"
#include "listbox_model.h"
#include "scroll_bar.h"
#include "system_classes.h"
#include "window_state_table.h"

namespace win32::user {
namespace {

constexpr int kDefaultItemHeight = 16;
constexpr int kItemTextIndent = 2;

struct ListBoxState {
  ListBoxModel model;
  HFONT font = nullptr;
  int top = 0;
  int item_height = kDefaultItemHeight;
  bool focused = false;
  bool dragging = false;
};

WindowStateTable<ListBoxState>& states() {
  static auto* table = new WindowStateTable<ListBoxState>;
  return *table;
}

DWORD style_of(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }

int visible_rows(HWND hwnd, const ListBoxState& s) {
  RECT r = client_rect_of(hwnd);
  return std::max(1, static_cast<int>(r.bottom) / s.item_height);
}

ScrollRange range_of(HWND hwnd, const ListBoxState& s) {
  return ScrollRange{s.top, visible_rows(hwnd, s), s.model.count()};
}

void clamp_top(HWND hwnd, ListBoxState& s) {
  s.top = std::clamp(s.top, 0, std::max(0, s.model.count() - visible_rows(hwnd, s)));
}

// The scroll bar's place in window coordinates (0,0 = the window's corner).
RECT scroll_bar_rect(HWND hwnd) {
  RECT window, client;
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  int left = origin.x - window.left + client.right;
  int top = origin.y - window.top;
  return RECT{left, top, left + kScrollBarWidth, top + client.bottom};
}

void repaint(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, TRUE);
  if (style_of(hwnd) & WS_VSCROLL) RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void ensure_visible(HWND hwnd, ListBoxState& s, int index) {
  if (index < 0) return;
  int rows = visible_rows(hwnd, s);
  if (index < s.top) s.top = index;
  if (index >= s.top + rows) s.top = index - rows + 1;
  clamp_top(hwnd, s);
}

// A selection the user made: drawn, scrolled into view and, with LBS_NOTIFY, reported.
void user_select(HWND hwnd, ListBoxState& s, int index) {
  index = std::clamp(index, 0, s.model.count() - 1);
  if (index < 0 || index == s.model.selection()) return;
  s.model.select(index);
  ensure_visible(hwnd, s, index);
  repaint(hwnd);
  if (style_of(hwnd) & LBS_NOTIFY) notify_parent(hwnd, LBN_SELCHANGE);
}

void paint(HWND hwnd, HDC hdc, const ListBoxState& s) {
  HBRUSH brush = control_brush(hwnd, hdc, WM_CTLCOLORLISTBOX);
  RECT r = client_rect_of(hwnd);
  FillRect(hdc, &r, brush);
  HGDIOBJ old_font = s.font ? SelectObject(hdc, s.font) : nullptr;
  SetBkMode(hdc, TRANSPARENT);
  COLORREF text_colour = GetTextColor(hdc);
  for (int i = s.top; i < s.model.count(); ++i) {
    RECT row{0, (i - s.top) * s.item_height, r.right, (i - s.top + 1) * s.item_height};
    if (row.top >= r.bottom) break;
    bool selected = i == s.model.selection();
    if (selected) FillRect(hdc, &row, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetTextColor(hdc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                               : (IsWindowEnabled(hwnd) ? text_colour : GetSysColor(COLOR_GRAYTEXT)));
    const std::string& text = s.model.item(i).text;
    TextOutA(hdc, kItemTextIndent, row.top, text.data(), static_cast<int>(text.size()));
    if (selected && s.focused) DrawFocusRect(hdc, &row);
  }
  if (s.focused && s.model.selection() < 0) {
    RECT row{0, 0, r.right, s.item_height};
    DrawFocusRect(hdc, &row);
  }
  if (old_font) SelectObject(hdc, old_font);
}

void paint_frame(HWND hwnd, const ListBoxState& s) {
  HDC hdc = GetWindowDC(hwnd);
  if (!hdc) return;
  paint_scroll_bar(hdc, scroll_bar_layout(scroll_bar_rect(hwnd), range_of(hwnd, s)),
                   IsWindowEnabled(hwnd) && s.model.count() > visible_rows(hwnd, s));
  ReleaseDC(hwnd, hdc);
}

void scroll(HWND hwnd, ListBoxState& s, int code) {
  int rows = visible_rows(hwnd, s);
  switch (code) {
    case SB_LINEUP: --s.top; break;
    case SB_LINEDOWN: ++s.top; break;
    case SB_PAGEUP: s.top -= rows; break;
    case SB_PAGEDOWN: s.top += rows; break;
    case SB_TOP: s.top = 0; break;
    case SB_BOTTOM: s.top = s.model.count(); break;
    default: return;
  }
  clamp_top(hwnd, s);
  repaint(hwnd);
}

void key_down(HWND hwnd, ListBoxState& s, WPARAM key) {
  int sel = s.model.selection();
  int rows = visible_rows(hwnd, s);
  switch (key) {
    case VK_UP: user_select(hwnd, s, sel < 0 ? 0 : sel - 1); break;
    case VK_DOWN: user_select(hwnd, s, sel + 1); break;
    case VK_HOME: user_select(hwnd, s, 0); break;
    case VK_END: user_select(hwnd, s, s.model.count() - 1); break;
    case VK_PRIOR: user_select(hwnd, s, sel - (rows - 1)); break;
    case VK_NEXT: user_select(hwnd, s, sel + (rows - 1)); break;
    default: break;
  }
}

// Unless LBS_NOINTEGRALHEIGHT asks otherwise, a list box shrinks so that no item shows
// cut off at the bottom (a list shorter than one item keeps its size).
void fit_integral_height(HWND hwnd, ListBoxState& s, int client_height) {
  if (style_of(hwnd) & LBS_NOINTEGRALHEIGHT) return;
  int cut = client_height % s.item_height;
  if (client_height <= s.item_height || cut == 0) return;
  RECT window;
  GetWindowRect(hwnd, &window);
  SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top - cut,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  clamp_top(hwnd, s);
}

int index_at(const ListBoxState& s, LPARAM lparam) { return s.top + GET_Y_LPARAM(lparam) / s.item_height; }

LRESULT non_client_message(HWND hwnd, ListBoxState& s, UINT message, WPARAM wparam, LPARAM lparam) {
  bool has_bar = (style_of(hwnd) & WS_VSCROLL) != 0;
  switch (message) {
    case WM_NCCALCSIZE: {
      LRESULT r = DefWindowProcA(hwnd, message, wparam, lparam);
      if (has_bar) {
        auto* rect = reinterpret_cast<RECT*>(lparam);
        rect->right = std::max(rect->left, rect->right - kScrollBarWidth);
      }
      return r;
    }
    case WM_NCPAINT: {
      LRESULT r = DefWindowProcA(hwnd, message, wparam, lparam);
      if (has_bar) paint_frame(hwnd, s);
      return r;
    }
    case WM_NCHITTEST: {
      if (!has_bar) break;
      RECT window;
      GetWindowRect(hwnd, &window);
      POINT at{GET_X_LPARAM(lparam) - window.left, GET_Y_LPARAM(lparam) - window.top};
      RECT bar = scroll_bar_rect(hwnd);
      if (PtInRect(&bar, at)) return HTVSCROLL;
      break;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
      if (wparam != HTVSCROLL) break;
      RECT window;
      GetWindowRect(hwnd, &window);
      POINT at{GET_X_LPARAM(lparam) - window.left, GET_Y_LPARAM(lparam) - window.top};
      int code = scroll_code_at(scroll_bar_layout(scroll_bar_rect(hwnd), range_of(hwnd, s)), at);
      if (code >= 0) SendMessageA(hwnd, WM_VSCROLL, static_cast<WPARAM>(code), 0);
      return 0;
    }
    default: break;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

LRESULT list_message(HWND hwnd, ListBoxState& s, UINT message, WPARAM wparam, LPARAM lparam) {
  auto text_arg = [&]() { return std::string(lparam ? reinterpret_cast<const char*>(lparam) : ""); };
  int index = static_cast<int>(wparam);
  switch (message) {
    case LB_ADDSTRING: {
      int at = s.model.add(text_arg());
      repaint(hwnd);
      return at;
    }
    case LB_INSERTSTRING: {
      int at = s.model.insert(index, text_arg());
      repaint(hwnd);
      return at;
    }
    case LB_DELETESTRING: {
      int left = s.model.erase(index);
      clamp_top(hwnd, s);
      repaint(hwnd);
      return left;
    }
    case LB_RESETCONTENT:
      s.model.clear();
      s.top = 0;
      repaint(hwnd);
      return 0;
    case LB_GETCOUNT: return s.model.count();
    case LB_GETTEXT:
      if (!s.model.valid(index) || !lparam) return LB_ERR;
      s.model.item(index).text.copy(reinterpret_cast<char*>(lparam), std::string::npos);
      reinterpret_cast<char*>(lparam)[s.model.item(index).text.size()] = '\0';
      return static_cast<LRESULT>(s.model.item(index).text.size());
    case LB_GETTEXTLEN:
      return s.model.valid(index) ? static_cast<LRESULT>(s.model.item(index).text.size()) : LB_ERR;
    case LB_SETCURSEL: {
      int result = s.model.select(index);
      ensure_visible(hwnd, s, result);
      repaint(hwnd);
      return result;
    }
    case LB_GETCURSEL: return s.model.selection() < 0 ? LB_ERR : s.model.selection();
    case LB_GETSEL: return s.model.valid(index) ? (index == s.model.selection() ? 1 : 0) : LB_ERR;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT: return s.model.find(index, text_arg(), message == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
      int found = s.model.find(index, text_arg(), false);
      return found == LB_ERR ? LB_ERR : list_message(hwnd, s, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
    }
    case LB_GETTOPINDEX: return s.top;
    case LB_SETTOPINDEX:
      if (index != 0 && !s.model.valid(index)) return LB_ERR;
      s.top = index;
      clamp_top(hwnd, s);
      repaint(hwnd);
      return 0;
    case LB_GETITEMHEIGHT: return s.item_height;
    case LB_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lparam);
      if (!rect || !s.model.valid(index)) return LB_ERR;
      RECT client = client_rect_of(hwnd);
      *rect = RECT{0, (index - s.top) * s.item_height, client.right, (index - s.top + 1) * s.item_height};
      return 0;
    }
    case LB_GETITEMDATA: return s.model.valid(index) ? static_cast<LRESULT>(s.model.item(index).data) : LB_ERR;
    case LB_SETITEMDATA:
      if (!s.model.valid(index)) return LB_ERR;
      s.model.set_data(index, static_cast<ULONG_PTR>(lparam));
      return 0;
    case LB_DIR: return fill_directory_list(hwnd, static_cast<UINT>(wparam), reinterpret_cast<const char*>(lparam));
    default: return DefWindowProcA(hwnd, message, wparam, lparam);
  }
}

LRESULT window_message(HWND hwnd, ListBoxState& s, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: return paint_window(hwnd, [&](HDC hdc) { paint(hwnd, hdc, s); });
    case WM_ERASEBKGND: return TRUE;
    case WM_NCCALCSIZE:
    case WM_NCPAINT:
    case WM_NCHITTEST:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: return non_client_message(hwnd, s, message, wparam, lparam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_VSCROLL: scroll(hwnd, s, LOWORD(wparam)); return 0;
    case WM_SIZE: fit_integral_height(hwnd, s, HIWORD(lparam)); return 0;
    case WM_KEYDOWN: key_down(hwnd, s, wparam); return 0;
    case WM_CHAR: {
      int found = s.model.find(s.model.selection(), std::string(1, static_cast<char>(wparam)), false);
      if (found != LB_ERR) user_select(hwnd, s, found);
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(hwnd);
      if (s.model.valid(index_at(s, lparam))) user_select(hwnd, s, index_at(s, lparam));
      s.dragging = true;
      SetCapture(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      if (s.dragging && s.model.count() > 0) {
        int at = std::clamp(index_at(s, lparam), s.top, s.top + visible_rows(hwnd, s) - 1);
        user_select(hwnd, s, at);
      }
      return 0;
    case WM_LBUTTONUP:
      if (s.dragging) {
        s.dragging = false;
        ReleaseCapture();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      if (style_of(hwnd) & LBS_NOTIFY) notify_parent(hwnd, LBN_DBLCLK);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s.focused = message == WM_SETFOCUS;
      InvalidateRect(hwnd, nullptr, TRUE);
      if (style_of(hwnd) & LBS_NOTIFY) notify_parent(hwnd, s.focused ? LBN_SETFOCUS : LBN_KILLFOCUS);
      return 0;
    case WM_ENABLE: repaint(hwnd); return 0;
    case WM_SETFONT:
      s.font = reinterpret_cast<HFONT>(wparam);
      if (LOWORD(lparam)) repaint(hwnd);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(s.font);
    default: return list_message(hwnd, s, message, wparam, lparam);
  }
}

}  // namespace

LRESULT CALLBACK listbox_control_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return with_window_state(states(), hwnd, message, wparam, lparam, [&](ListBoxState& s) {
    if (message == WM_NCCREATE) {
      auto* cs = reinterpret_cast<CREATESTRUCTA*>(lparam);
      s.model = ListBoxModel(cs && (static_cast<DWORD>(cs->style) & LBS_SORT));
      return DefWindowProcA(hwnd, message, wparam, lparam);
    }
    return window_message(hwnd, s, message, wparam, lparam);
  });
}

}  // namespace win32::user
