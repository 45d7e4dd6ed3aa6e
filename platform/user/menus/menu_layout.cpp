#include "menu_layout.h"

#include <algorithm>
#include <string>
#include <vector>

#include "user/menu_bar.h"
#include "user/nonclient.h"

namespace win32::user {
namespace {

constexpr int kBarItemPadding = 6;
constexpr int kPopupItemHeight = 20;
constexpr int kSeparatorHeight = 8;
constexpr int kCheckColumn = 18;   // left of a pop-up item's text: the check mark
constexpr int kArrowColumn = 18;   // right of it: the submenu arrow
constexpr int kTabGap = 16;        // between a name and its accelerator hint

struct ItemCopy {
  MenuItem item;
  int index;
};

std::vector<ItemCopy> copy_items(HMENU menu) {
  std::vector<ItemCopy> copies;
  MenuLock lock(menu_lock());
  Menu* m = menu_locked(menu);
  if (!m) return copies;
  for (size_t i = 0; i < m->items.size(); ++i) copies.push_back({m->items[i], static_cast<int>(i)});
  return copies;
}

void store_rects(HMENU menu, const std::vector<ItemCopy>& copies) {
  MenuLock lock(menu_lock());
  Menu* m = menu_locked(menu);
  if (!m) return;
  for (const ItemCopy& c : copies)
    if (static_cast<size_t>(c.index) < m->items.size()) m->items[static_cast<size_t>(c.index)].rect = c.item.rect;
}

int text_width(HDC dc, const std::string& text) {
  SIZE s{};
  if (!text.empty()) GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &s);
  return s.cx;
}

// The name part and the accelerator hint (after a tab) of an item's text.
std::string hint_of(const std::string& text) {
  size_t tab = text.find('\t');
  return tab == std::string::npos ? std::string() : text.substr(tab + 1);
}

SIZE measure_owner_drawn(HWND owner, const MenuItem& item) {
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = item.id;
  mis.itemData = item.item_data;
  if (owner) SendMessageA(owner, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  return SIZE{static_cast<LONG>(mis.itemWidth), static_cast<LONG>(mis.itemHeight)};
}

void draw_owner_drawn(HMENU menu, HWND owner, HDC hdc, const MenuItem& item) {
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = item.id;
  dis.itemAction = ODA_DRAWENTIRE;
  if (item.flags & MF_HILITE) dis.itemState |= ODS_SELECTED;
  if (item.flags & MF_GRAYED) dis.itemState |= ODS_GRAYED;
  if (item.flags & MF_DISABLED) dis.itemState |= ODS_DISABLED;
  if (item.flags & MF_CHECKED) dis.itemState |= ODS_CHECKED;
  dis.hwndItem = reinterpret_cast<HWND>(menu);  // for menus the handle field carries the menu
  dis.hDC = hdc;
  dis.rcItem = item.rect;
  dis.itemData = item.item_data;
  if (owner) SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

// Grayed text is drawn etched, as the classic look has it: a white copy one pixel down
// and right under the shadow-coloured text.
void draw_item_text(HDC hdc, const std::string& text, RECT r, UINT format, bool grayed, bool selected) {
  SetBkMode(hdc, TRANSPARENT);
  if (grayed && !selected) {
    RECT etch = r;
    OffsetRect(&etch, 1, 1);
    SetTextColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &etch, format);
  }
  SetTextColor(hdc, grayed ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &r, format);
}

void draw_check(HDC hdc, const RECT& item, bool selected) {
  HBRUSH ink = GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  int x = item.left + 5, y = (item.top + item.bottom) / 2;
  for (int i = 0; i < 7; ++i) {
    int dy = i < 3 ? i : 4 - i;  // down for three pixels, then up
    RECT dot{x + i, y + dy - 1, x + i + 1, y + dy + 2};
    FillRect(hdc, &dot, ink);
  }
}

void draw_arrow(HDC hdc, const RECT& item, bool selected) {
  HBRUSH ink = GetSysColorBrush(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
  int x = item.right - 12, y = (item.top + item.bottom) / 2;
  for (int col = 0; col < 4; ++col) {
    RECT line{x + col, y - 3 + col, x + col + 1, y + 4 - col};
    FillRect(hdc, &line, ink);
  }
}

std::vector<int> bar_item_widths(const std::vector<ItemCopy>& items, HWND owner) {
  std::vector<int> widths;
  HDC dc = CreateCompatibleDC(nullptr);
  for (const ItemCopy& c : items)
    widths.push_back((c.item.flags & MF_OWNERDRAW) ? measure_owner_drawn(owner, c.item).cx
                                                   : text_width(dc, menu_label(c.item.text)) + 2 * kBarItemPadding);
  DeleteDC(dc);
  return widths;
}

// Places the bar items in rows of kMenuBarHeight from the top of `bar`: left to right,
// and an item that does not fit the rest of its row, or carries a break flag, starts
// the next row (an item wider than the whole bar gets a row to itself). Items from the
// first MF_HELP one on are pushed to the right end of the last row. Returns the rows
// used, at least one.
int flow_bar_items(std::vector<ItemCopy>& items, const std::vector<int>& widths, const RECT& bar) {
  int x = bar.left, row = 0;
  size_t help = items.size();
  for (size_t i = 0; i < items.size(); ++i) {
    const bool first_on_row = x == bar.left;
    const bool breaks = (items[i].item.flags & (MF_MENUBREAK | MF_MENUBARBREAK)) != 0;
    if (!first_on_row && (breaks || x + widths[i] > bar.right)) {
      x = bar.left;
      ++row;
    }
    int top = bar.top + row * kMenuBarHeight;
    items[i].item.rect = RECT{x, top, x + widths[i], top + kMenuBarHeight};
    x += widths[i];
    if (help == items.size() && (items[i].item.flags & MF_HELP)) help = i;
  }
  if (help < items.size()) {
    const LONG last_top = items.back().item.rect.top;
    const int shift = std::max(0, static_cast<int>(bar.right - items.back().item.rect.right));
    for (size_t i = help; i < items.size(); ++i)
      if (items[i].item.rect.top == last_top) OffsetRect(&items[i].item.rect, shift, 0);
  }
  return row + 1;
}

}  // namespace

RECT menu_bar_rect(HWND hwnd) {
  RECT window;
  if (!GetWindowRect(hwnd, &window)) return RECT{};
  DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
  DWORD ex_style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
  int rows = window_menu_rows(hwnd);
  if (rows == 0) return RECT{};
  return frame_layout(style, ex_style, rows, window.right - window.left, window.bottom - window.top).menu_bar;
}

int count_bar_rows(HMENU menu, HWND owner, int bar_width) {
  std::vector<ItemCopy> items = copy_items(menu);
  return flow_bar_items(items, bar_item_widths(items, owner), RECT{0, 0, bar_width, kMenuBarHeight});
}

void layout_menu_bar(HMENU menu, HWND owner, const RECT& bar) {
  std::vector<ItemCopy> items = copy_items(menu);
  flow_bar_items(items, bar_item_widths(items, owner), bar);
  store_rects(menu, items);
}

void paint_menu_bar(HMENU menu, HWND owner, HDC hdc, const RECT& bar) {
  layout_menu_bar(menu, owner, bar);
  // Items changed since the frame last counted the rows may need more of them than
  // the bar has; they stay out of the client area until the next DrawMenuBar.
  int saved = SaveDC(hdc);
  IntersectClipRect(hdc, bar.left, bar.top, bar.right, bar.bottom);
  FillRect(hdc, &bar, GetSysColorBrush(COLOR_MENU));
  for (const ItemCopy& c : copy_items(menu)) {
    const MenuItem& item = c.item;
    if (item.flags & MF_OWNERDRAW) {
      draw_owner_drawn(menu, owner, hdc, item);
      continue;
    }
    bool selected = (item.flags & MF_HILITE) != 0;
    if (selected) FillRect(hdc, &item.rect, GetSysColorBrush(COLOR_HIGHLIGHT));
    draw_item_text(hdc, item.text, item.rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                   (item.flags & (MF_GRAYED | MF_DISABLED)) != 0, selected);
  }
  RestoreDC(hdc, saved);
}

SIZE layout_popup(HMENU menu, HWND owner) {
  std::vector<ItemCopy> items = copy_items(menu);
  HDC dc = CreateCompatibleDC(nullptr);
  int name_width = 0, hint_width = 0;
  std::vector<int> heights;
  int owner_width = 0;
  for (ItemCopy& c : items) {
    if (c.item.flags & MF_OWNERDRAW) {
      SIZE s = measure_owner_drawn(owner, c.item);
      owner_width = std::max(owner_width, static_cast<int>(s.cx));
      heights.push_back(s.cy);
    } else if (c.item.flags & MF_SEPARATOR) {
      heights.push_back(kSeparatorHeight);
    } else {
      name_width = std::max(name_width, text_width(dc, menu_label(c.item.text)));
      std::string hint = hint_of(c.item.text);
      if (!hint.empty()) hint_width = std::max(hint_width, text_width(dc, hint) + kTabGap);
      heights.push_back(kPopupItemHeight);
    }
  }
  DeleteDC(dc);
  int width = std::max(kCheckColumn + name_width + hint_width + kArrowColumn, owner_width);
  int y = kPopupFrame;
  for (size_t i = 0; i < items.size(); ++i) {
    items[i].item.rect = RECT{kPopupFrame, y, kPopupFrame + width, y + heights[i]};
    y += heights[i];
  }
  store_rects(menu, items);
  return SIZE{width + 2 * kPopupFrame, y + kPopupFrame};
}

void paint_popup(HMENU menu, HWND owner, HDC hdc, const RECT& client) {
  RECT frame = client;
  FillRect(hdc, &frame, GetSysColorBrush(COLOR_MENU));
  DrawEdge(hdc, &frame, EDGE_RAISED, BF_RECT);
  for (const ItemCopy& c : copy_items(menu)) {
    const MenuItem& item = c.item;
    if (item.flags & MF_OWNERDRAW) {
      draw_owner_drawn(menu, owner, hdc, item);
      continue;
    }
    if (item.flags & MF_SEPARATOR) {
      RECT line{item.rect.left + 1, (item.rect.top + item.rect.bottom) / 2 - 1, item.rect.right - 1, 0};
      line.bottom = line.top + 2;
      DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
      continue;
    }
    bool selected = (item.flags & MF_HILITE) != 0;
    if (selected) FillRect(hdc, &item.rect, GetSysColorBrush(COLOR_HIGHLIGHT));
    bool grayed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
    RECT text = item.rect;
    text.left += kCheckColumn;
    text.right -= kArrowColumn;
    std::string name = item.text.substr(0, item.text.find('\t'));
    draw_item_text(hdc, name, text, DT_LEFT | DT_VCENTER | DT_SINGLELINE, grayed, selected);
    std::string hint = hint_of(item.text);
    if (!hint.empty()) draw_item_text(hdc, hint, text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, grayed, selected);
    if (item.flags & MF_CHECKED) draw_check(hdc, item.rect, selected);
    if (item.flags & MF_POPUP) draw_arrow(hdc, item.rect, selected);
  }
}

}  // namespace win32::user
