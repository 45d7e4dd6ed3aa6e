#include "screen_layers.h"

#include "geometry.h"
#include "user_lock.h"
#include "window_tree.h"

namespace win32::user {

std::vector<ScreenLayer> screen_layers() {
  UserLock lock(user_lock());
  std::vector<ScreenLayer> layers;
  const auto& tops = top_level_windows_locked();
  for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
    Window* w = window_locked(*it);
    if (!w || !w->surface || !w->visible() || (w->style & WS_MINIMIZE)) continue;
    layers.push_back(ScreenLayer{*it, w->window_rect, w->surface});
  }
  return layers;
}

bool window_surface_area(HWND window, std::shared_ptr<gdi::Surface>* surface, RECT* area) {
  UserLock lock(user_lock());
  Window* w = window_locked(window);
  if (!w) return false;
  Window* top = surface_owner_locked(*w);
  if (!top || !top->surface) return false;
  RECT r = window_rect_on_screen_locked(*w);
  POINT origin = surface_origin_on_screen_locked(*w);
  *surface = top->surface;
  *area = RECT{r.left - origin.x, r.top - origin.y, r.right - origin.x, r.bottom - origin.y};
  return true;
}

}  // namespace win32::user
