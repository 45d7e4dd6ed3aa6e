// Menu mode: the modal loop that runs while a menu bar or pop-up menu is in use. It
// reads the thread's keyboard and mouse messages itself (the mouse is captured by the
// owner window), keeps one level per open menu (the bar, then each pop-up), and ends
// with the chosen command posted to the owner as WM_COMMAND.
#include "menu_tracking.h"

#include <cctype>
#include <vector>

#include "menu_bar_hooks.h"
#include "menu_layout.h"
#include "menu_object.h"
#include "menu_window.h"

namespace win32::user {
namespace {

struct Level {
  HMENU menu = nullptr;
  HWND window = nullptr;  // null for the menu bar
};

struct Hit {
  int level = -1;
  int item = -1;
};

class Tracker {
 public:
  Tracker(HWND owner, bool has_bar) : owner_(owner), has_bar_(has_bar) {}

  std::vector<Level> levels;
  bool dropped = false;  // the bar's pop-ups are showing: moving along the bar opens the next
  bool done = false;
  bool chosen = false;
  UINT chosen_id = 0;

  int selected(int level) const {
    MenuLock lock(menu_lock());
    Menu* m = menu_locked(levels[static_cast<size_t>(level)].menu);
    if (!m) return -1;
    for (size_t i = 0; i < m->items.size(); ++i)
      if (m->items[i].flags & MF_HILITE) return static_cast<int>(i);
    return -1;
  }

  MenuItem item(int level, int index) const {
    MenuLock lock(menu_lock());
    Menu* m = menu_locked(levels[static_cast<size_t>(level)].menu);
    if (!m || index < 0 || static_cast<size_t>(index) >= m->items.size()) return MenuItem{};
    return m->items[static_cast<size_t>(index)];
  }

  int count(int level) const {
    MenuLock lock(menu_lock());
    Menu* m = menu_locked(levels[static_cast<size_t>(level)].menu);
    return m ? static_cast<int>(m->items.size()) : 0;
  }

  int deepest() const { return static_cast<int>(levels.size()) - 1; }
  bool is_bar(int level) const { return has_bar_ && level == 0; }

  // Highlights one item of a level (-1: none) and closes every level below it.
  void select(int level, int index) {
    close_after(level);
    if (selected(level) == index) return;
    {
      MenuLock lock(menu_lock());
      Menu* m = menu_locked(levels[static_cast<size_t>(level)].menu);
      if (!m) return;
      for (size_t i = 0; i < m->items.size(); ++i) {
        if (static_cast<int>(i) == index)
          m->items[i].flags |= MF_HILITE;
        else
          m->items[i].flags &= ~MF_HILITE;
      }
    }
    repaint(level);
    MenuItem it = item(level, index);
    UINT flags = it.flags & (MF_POPUP | MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_SEPARATOR | MF_OWNERDRAW | MF_HILITE);
    WORD id = (it.flags & MF_POPUP) ? static_cast<WORD>(index) : static_cast<WORD>(it.id);
    SendMessageA(owner_, WM_MENUSELECT, MAKEWPARAM(id, flags), reinterpret_cast<LPARAM>(levels[static_cast<size_t>(level)].menu));
  }

  void close_after(int level) {
    while (deepest() > level) {
      Level gone = levels.back();
      levels.pop_back();
      clear_highlight(gone.menu);
      if (gone.window) DestroyWindow(gone.window);
    }
  }

  void close_all() {
    close_after(0);
    if (!levels.empty()) {
      clear_highlight(levels[0].menu);
      if (levels[0].window) DestroyWindow(levels[0].window);
      else repaint(0);
    }
  }

  // Opens the pop-up of the selected item of `level`; `select_first` also highlights
  // its first item, as keyboard use does.
  void open(int level, bool select_first) {
    int index = selected(level);
    MenuItem it = item(level, index);
    if (!(it.flags & MF_POPUP) || (it.flags & (MF_GRAYED | MF_DISABLED))) return;
    close_after(level);
    SendMessageA(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(it.submenu), MAKELPARAM(index, 0));
    POINT at;
    if (is_bar(level)) {
      RECT window;
      GetWindowRect(owner_, &window);
      at = POINT{window.left + it.rect.left, window.top + it.rect.bottom};
    } else {
      RECT window;
      GetWindowRect(levels[static_cast<size_t>(level)].window, &window);
      at = POINT{window.right - kPopupFrame, window.top + it.rect.top - kPopupFrame};
    }
    HWND popup = open_popup_window(it.submenu, owner_, at);
    if (!popup) return;
    if (is_bar(level)) dropped = true;
    levels.push_back(Level{it.submenu, popup});
    if (select_first) move(deepest(), +1);
  }

  // Moves the highlight of a level forward or back, wrapping and skipping separators.
  void move(int level, int step) {
    int n = count(level);
    if (n == 0) return;
    int at = selected(level);
    if (at < 0) at = step > 0 ? -1 : n;
    for (int i = 0; i < n; ++i) {
      at = ((at + step) % n + n) % n;
      if (!(item(level, at).flags & MF_SEPARATOR)) {
        select(level, at);
        return;
      }
    }
  }

  // Enter, a mnemonic or a click on an item: a pop-up opens, an enabled command is
  // chosen, and a grayed or disabled item does nothing.
  void activate(int level, int index) {
    MenuItem it = item(level, index);
    if (it.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED)) return;
    if (selected(level) != index) select(level, index);
    if (it.flags & MF_POPUP) {
      open(level, true);
      return;
    }
    chosen = true;
    chosen_id = it.id;
    done = true;
  }

  bool mnemonic(char key) {
    int level = deepest();
    char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(key)));
    for (int i = 0; i < count(level); ++i) {
      if (menu_mnemonic(item(level, i).text) == wanted) {
        activate(level, i);
        return true;
      }
    }
    return false;
  }

  Hit hit(POINT screen) const {
    for (int level = deepest(); level >= 0; --level) {
      RECT window;
      HWND w = is_bar(level) ? owner_ : levels[static_cast<size_t>(level)].window;
      if (!w || !GetWindowRect(w, &window)) continue;
      POINT local{screen.x - window.left, screen.y - window.top};
      if (!is_bar(level) && !PtInRect(&window, screen)) continue;
      for (int i = 0; i < count(level); ++i) {
        RECT r = item(level, i).rect;
        if (PtInRect(&r, local)) return Hit{level, i};
      }
      if (!is_bar(level)) return Hit{level, -1};  // inside the pop-up, between items
    }
    return Hit{};
  }

  HWND owner() const { return owner_; }

 private:
  void clear_highlight(HMENU menu) {
    MenuLock lock(menu_lock());
    if (Menu* m = menu_locked(menu))
      for (MenuItem& i : m->items) i.flags &= ~MF_HILITE;
  }

  void repaint(int level) {
    const Level& l = levels[static_cast<size_t>(level)];
    if (l.window) {
      InvalidateRect(l.window, nullptr, TRUE);
      UpdateWindow(l.window);
    } else {
      redraw_menu_bar(owner_);
    }
  }

  HWND owner_;
  bool has_bar_;
};

char key_character(WPARAM vk) {
  if (vk >= 'A' && vk <= 'Z') return static_cast<char>(vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') return static_cast<char>(vk);
  return 0;
}

void key_down(Tracker& t, WPARAM vk, bool has_bar) {
  int level = t.deepest();
  bool on_bar = has_bar && level == 0;
  switch (vk) {
    case VK_MENU:
    case VK_F10:
      t.done = true;
      return;
    case VK_ESCAPE:
      if (level == 0) t.done = true;
      else t.close_after(level - 1);
      if (has_bar && t.deepest() == 0) t.dropped = false;
      return;
    case VK_UP:
    case VK_DOWN:
      if (on_bar) t.open(0, true);
      else t.move(level, vk == VK_DOWN ? 1 : -1);
      return;
    case VK_LEFT:
    case VK_RIGHT: {
      bool right = vk == VK_RIGHT;
      if (!on_bar && right && (t.item(level, t.selected(level)).flags & MF_POPUP)) {
        t.open(level, true);
        return;
      }
      if (!on_bar && !right && level > (has_bar ? 1 : 0)) {
        t.close_after(level - 1);
        return;
      }
      if (!has_bar) return;
      t.move(0, right ? 1 : -1);
      if (t.dropped) t.open(0, true);
      return;
    }
    case VK_RETURN:
      if (t.selected(level) >= 0) t.activate(level, t.selected(level));
      return;
    default:
      if (char c = key_character(vk); c && !t.mnemonic(c)) MessageBeep(0);
      return;
  }
}

POINT screen_point(const MSG& msg) {
  POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  bool non_client = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK;
  if (!non_client && msg.hwnd) ClientToScreen(msg.hwnd, &p);
  return p;
}

void mouse(Tracker& t, const MSG& msg, bool has_bar) {
  Hit h = t.hit(screen_point(msg));
  switch (msg.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      if (h.level < 0 || h.item < 0) return;
      if (has_bar && h.level == 0) {
        // Sliding along the bar while a pop-up is open moves the open pop-up along.
        if (t.deepest() > 0 && t.selected(0) != h.item) {
          t.select(0, h.item);
          t.open(0, false);
        }
        return;
      }
      if (t.selected(h.level) != h.item) {
        t.select(h.level, h.item);
        if (t.item(h.level, h.item).flags & MF_POPUP) t.open(h.level, false);
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
      if (h.level < 0) {
        t.done = true;  // a click outside every menu ends menu mode
        return;
      }
      if (has_bar && h.level == 0 && h.item >= 0) {
        if (t.selected(0) == h.item && t.deepest() > 0) {
          t.done = true;  // a second click on an open bar item closes it
          return;
        }
        t.select(0, h.item);
        t.open(0, false);
      }
      return;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
      if (h.level < 0 || h.item < 0) return;
      if (has_bar && h.level == 0) {
        if (!(t.item(0, h.item).flags & MF_POPUP)) t.activate(0, h.item);
        return;
      }
      t.activate(h.level, h.item);
      return;
    default:
      return;
  }
}

bool is_mouse(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

void run_loop(Tracker& t, bool has_bar) {
  MSG msg;
  while (!t.done && IsWindow(t.owner())) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
      HWND shown = t.levels.empty() ? nullptr : t.levels.back().window;
      SendMessageA(t.owner(), WM_ENTERIDLE, MSGF_MENU, reinterpret_cast<LPARAM>(shown));
      if (t.done) break;
    }
    if (!GetMessageA(&msg, nullptr, 0, 0)) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
      key_down(t, msg.wParam, has_bar);
    } else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR) {
      if (!t.mnemonic(static_cast<char>(msg.wParam))) MessageBeep(0);
    } else if (is_mouse(msg.message)) {
      mouse(t, msg, has_bar);
    } else if (msg.message != WM_KEYUP && msg.message != WM_SYSKEYUP) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

// What every kind of tracking does around its loop.
UINT track(Tracker& t, bool has_bar, bool notify) {
  HWND owner = t.owner();
  SetCapture(owner);
  run_loop(t, has_bar);
  t.close_all();
  if (GetCapture() == owner) ReleaseCapture();
  if (IsWindow(owner)) {
    SendMessageA(owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    SendMessageA(owner, WM_EXITMENULOOP, has_bar ? FALSE : TRUE, 0);
  }
  if (!t.chosen) return 0;
  if (notify && IsWindow(owner)) PostMessageA(owner, WM_COMMAND, MAKEWPARAM(t.chosen_id, 0), 0);
  return t.chosen_id;
}

// Alt pressed and let go with no other key in between opens the menu bar.
thread_local bool alt_alone = false;

}  // namespace

void track_menu_bar(HWND owner, char key, const POINT* mouse_at) {
  HMENU bar = GetMenu(owner);
  if (!bar) {
    if (key) MessageBeep(0);
    return;
  }
  layout_menu_bar(bar, owner, menu_bar_rect(owner));
  Tracker t(owner, true);
  t.levels.push_back(Level{bar, nullptr});
  SendMessageA(owner, WM_ENTERMENULOOP, FALSE, 0);
  SendMessageA(owner, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
  if (mouse_at) {
    Hit h = t.hit(*mouse_at);
    if (h.level != 0 || h.item < 0) {
      SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
      return;
    }
    t.select(0, h.item);
    if (t.item(0, h.item).flags & MF_POPUP) t.open(0, false);
  } else if (key) {
    // Alt+letter: the bar item with that mnemonic at once, or a beep.
    if (!t.mnemonic(key)) {
      MessageBeep(0);
      t.close_all();
      SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
      return;
    }
  } else {
    t.move(0, +1);
  }
  track(t, true, true);
}

bool menu_default_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT* result) {
  *result = 0;
  bool child = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) != 0;
  HWND top = hwnd;
  while (top && (GetWindowLongA(top, GWL_STYLE) & WS_CHILD) && GetParent(top)) top = GetParent(top);
  switch (message) {
    case WM_NCLBUTTONDOWN:
      if (wparam != HTMENU || child) return false;
      SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOUSEMENU + HTMENU, lparam);
      return true;
    case WM_SYSKEYDOWN:
      alt_alone = wparam == VK_MENU && !(lparam & (1 << 30));
      if (wparam != VK_F10) return false;
      SendMessageA(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
      return true;
    case WM_SYSKEYUP:
      if (wparam != VK_MENU || !alt_alone) return false;
      alt_alone = false;
      SendMessageA(top, WM_SYSCOMMAND, SC_KEYMENU, 0);
      return true;
    case WM_SYSCHAR:
      alt_alone = false;
      if (!(lparam & (1 << 29))) return false;
      SendMessageA(top, WM_SYSCOMMAND, SC_KEYMENU, wparam);
      return true;
    case WM_SYSCOMMAND:
      if ((wparam & 0xFFF0) == SC_KEYMENU) {
        track_menu_bar(hwnd, static_cast<char>(lparam), nullptr);
        return true;
      }
      if ((wparam & 0xFFF0) == SC_MOUSEMENU) {
        POINT at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
        track_menu_bar(hwnd, 0, &at);
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  if (!IsMenu(menu) || !IsWindow(owner)) return FALSE;
  Tracker t(owner, false);
  SendMessageA(owner, WM_ENTERMENULOOP, TRUE, 0);
  SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, 0));
  HWND popup = open_popup_window(menu, owner, POINT{x, y});
  if (!popup) return FALSE;
  t.levels.push_back(Level{menu, popup});
  UINT id = track(t, false, !(flags & (TPM_RETURNCMD | TPM_NONOTIFY)));
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(id);
  return TRUE;
}
