#include "menu_window.h"

#include <algorithm>

#include "user/controls/system_classes.h"
#include "user/controls/window_state_table.h"
#include "menu_layout.h"

namespace win32::user {
namespace {

struct PopupState {
  HMENU menu = nullptr;
  HWND owner = nullptr;
};

WindowStateTable<PopupState>& states() {
  static auto* table = new WindowStateTable<PopupState>;
  return *table;
}

}  // namespace

HWND open_popup_window(HMENU menu, HWND owner, POINT at) {
  ensure_system_classes();
  SIZE size = layout_popup(menu, owner);
  int screen_w = GetSystemMetrics(SM_CXSCREEN), screen_h = GetSystemMetrics(SM_CYSCREEN);
  int x = std::max(0, std::min(static_cast<int>(at.x), screen_w - static_cast<int>(size.cx)));
  int y = std::max(0, std::min(static_cast<int>(at.y), screen_h - static_cast<int>(size.cy)));
  PopupState init{menu, owner};
  HWND popup = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kMenuClassName, "", WS_POPUP, x, y, size.cx,
                               size.cy, owner, nullptr, nullptr, &init);
  if (!popup) return nullptr;
  ShowWindow(popup, SW_SHOWNA);
  UpdateWindow(popup);
  return popup;
}

HMENU popup_window_menu(HWND popup) {
  auto s = states().find(popup);
  return s ? s->menu : nullptr;
}

HWND popup_window_of(HMENU menu) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT))
    if (popup_window_menu(w) == menu) return w;
  return nullptr;
}

LRESULT CALLBACK menu_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return with_window_state(states(), hwnd, message, wparam, lparam, [&](PopupState& s) -> LRESULT {
    switch (message) {
      case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCTA*>(lparam);
        if (cs && cs->lpCreateParams) s = *static_cast<PopupState*>(cs->lpCreateParams);
        return DefWindowProcA(hwnd, message, wparam, lparam);
      }
      case WM_PAINT:
        return paint_window(hwnd, [&](HDC hdc) {
          RECT client;
          GetClientRect(hwnd, &client);
          paint_popup(s.menu, s.owner, hdc, client);
        });
      case WM_ERASEBKGND: return TRUE;
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
      default: return DefWindowProcA(hwnd, message, wparam, lparam);
    }
  });
}

}  // namespace win32::user
