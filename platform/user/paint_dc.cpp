// GetDC, GetWindowDC, ReleaseDC, BeginPaint and EndPaint. A window DC is a GDI surface DC
// whose origin is the window's client (or window) corner in its top-level surface and
// whose visible region is what the window may touch; BeginPaint narrows it further to
// the update region, which it takes from the window (validating it).
#include "paint_dc.h"

#include <mutex>
#include <unordered_map>

#include "display/backend.h"
#include "gdi/window_dc.h"
#include "geometry.h"
#include "last_error.h"
#include "paint.h"
#include "screen.h"
#include "send_message.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {
namespace {

struct DcTarget {
  std::shared_ptr<gdi::Surface> surface;
  POINT origin{};
  gdi::ClipRegion visible;
  HWND top = nullptr;
};

// Which window each DC we handed out belongs to, and the part of its surface the DC can
// draw on (its visible region is fixed when it is made), for ReleaseDC and presenting.
struct HandedOut {
  HWND hwnd;
  RECT reach;
};

std::unordered_map<HDC, HandedOut>& handed_out() {
  static auto* map = new std::unordered_map<HDC, HandedOut>;  // guarded by the user lock
  return *map;
}

bool target_locked(HWND hwnd, bool client_area, DcTarget* out) {
  Window* w = window_locked(hwnd);
  if (!w) return false;
  Window* top = surface_owner_locked(*w);
  if (!top || !top->surface) return false;
  POINT surface_origin = surface_origin_on_screen_locked(*w);
  RECT area = client_area ? client_rect_on_screen_locked(*w) : window_rect_on_screen_locked(*w);
  out->surface = top->surface;
  out->origin = POINT{area.left - surface_origin.x, area.top - surface_origin.y};
  out->visible = visible_region_locked(*w, client_area);
  out->top = top->handle;
  return true;
}

HDC hand_out(HWND hwnd, const DcTarget& target) {
  HDC hdc = gdi::CreateSurfaceDC(target.surface, target.origin, target.visible);
  if (!hdc) return nullptr;
  UserLock lock(user_lock());
  handed_out()[hdc] = HandedOut{hwnd, target.visible.bounds()};
  return hdc;
}

HDC window_dc(HWND hwnd, bool client_area) {
  DcTarget target;
  {
    UserLock lock(user_lock());
    if (!hwnd) {
      SIZE screen = screen_size();
      target.surface = desktop_surface();
      target.visible = gdi::ClipRegion(RECT{0, 0, screen.cx, screen.cy});
    } else if (!target_locked(hwnd, client_area, &target)) {
      return fail(ERROR_INVALID_WINDOW_HANDLE, HDC{nullptr});
    }
  }
  return hand_out(hwnd, target);
}

}  // namespace

std::shared_ptr<gdi::Surface> desktop_surface() {
  static auto surface = [] {
    SIZE screen = screen_size();
    return std::make_shared<gdi::Surface>(screen.cx, screen.cy, gdi::to_pixel(GetSysColor(COLOR_BACKGROUND)));
  }();
  return surface;
}

std::shared_ptr<gdi::Surface> make_window_surface(int width, int height) {
  return std::make_shared<gdi::Surface>(width, height, gdi::to_pixel(GetSysColor(COLOR_WINDOW)));
}

}  // namespace win32::user

using namespace win32::user;

HDC WINAPI GetDC(HWND hwnd) { return window_dc(hwnd, true); }

HDC WINAPI GetWindowDC(HWND hwnd) { return window_dc(hwnd, false); }

int WINAPI ReleaseDC(HWND hwnd, HDC hdc) {
  HWND top = nullptr;
  std::shared_ptr<gdi::Surface> surface;
  RECT reach{};
  {
    UserLock lock(user_lock());
    auto it = handed_out().find(hdc);
    if (it == handed_out().end() || it->second.hwnd != hwnd) return 0;
    reach = it->second.reach;
    handed_out().erase(it);
    if (Window* w = window_locked(hwnd)) {
      if (Window* t = surface_owner_locked(*w)) {
        top = t->handle;
        surface = t->surface;
      }
    }
  }
  gdi::DestroySurfaceDC(hdc);
  // Only what the DC could have changed is shown again (a status line, not the window);
  // still presented when empty, so the display hears of the window's other changes.
  if (top && surface) display::backend().present(top, reach);
  return 1;
}

HDC WINAPI BeginPaint(HWND hwnd, LPPAINTSTRUCT ps) {
  if (!ps) return fail(ERROR_INVALID_PARAMETER, HDC{nullptr});
  paint_frame_if_pending(hwnd);
  DcTarget target;
  gdi::ClipRegion update;
  bool erase = false;
  RECT client{};
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, HDC{nullptr});
    update = w->update;
    erase = w->erase_pending;
    w->update.clear();
    w->erase_pending = false;
    w->painting = true;
    client = RECT{0, 0, w->client_rect.right - w->client_rect.left, w->client_rect.bottom - w->client_rect.top};
    if (!target_locked(hwnd, true, &target)) return fail(ERROR_INVALID_WINDOW_HANDLE, HDC{nullptr});
  }
  gdi::ClipRegion in_surface = update;
  in_surface.offset(target.origin.x, target.origin.y);
  target.visible.intersect(in_surface);
  *ps = PAINTSTRUCT{};
  ps->hdc = hand_out(hwnd, target);
  ps->rcPaint = gdi::rect_intersection(update.bounds(), client);
  ps->fErase = FALSE;
  if (erase && ps->hdc) ps->fErase = send_message(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) ? FALSE : TRUE;
  return ps->hdc;
}

BOOL WINAPI EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  {
    UserLock lock(user_lock());
    if (Window* w = window_locked(hwnd)) w->painting = false;
  }
  if (!ps || !ps->hdc) return TRUE;
  ReleaseDC(hwnd, ps->hdc);
  return TRUE;
}
