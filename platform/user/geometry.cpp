#include "geometry.h"

#include "window_tree.h"

namespace win32::user {
namespace {

RECT offset(RECT r, POINT by) { return RECT{r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y}; }

POINT parent_client_origin_locked(const Window& w) {
  if (!w.parent) return POINT{0, 0};
  Window* parent = window_locked(w.parent);
  return parent ? client_origin_on_screen_locked(*parent) : POINT{0, 0};
}

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

HWND child_at_locked(const Window& parent, POINT screen) {
  for (HWND h : parent.children) {
    Window* c = window_locked(h);
    if (!c || !c->visible()) continue;
    if (!contains(window_rect_on_screen_locked(*c), screen)) continue;
    if (!c->enabled()) return nullptr;  // the parent takes the point
    HWND deeper = contains(client_rect_on_screen_locked(*c), screen) ? child_at_locked(*c, screen) : nullptr;
    return deeper ? deeper : h;
  }
  return nullptr;
}

}  // namespace

POINT client_origin_on_screen_locked(const Window& w) {
  POINT base = parent_client_origin_locked(w);
  return POINT{base.x + w.client_rect.left, base.y + w.client_rect.top};
}

RECT window_rect_on_screen_locked(const Window& w) { return offset(w.window_rect, parent_client_origin_locked(w)); }

RECT client_rect_on_screen_locked(const Window& w) { return offset(w.client_rect, parent_client_origin_locked(w)); }

Window* surface_owner_locked(const Window& w) { return window_locked(top_level_of_locked(w.handle)); }

POINT surface_origin_on_screen_locked(const Window& w) {
  Window* top = surface_owner_locked(w);
  return top ? POINT{top->window_rect.left, top->window_rect.top} : POINT{0, 0};
}

bool really_visible_locked(const Window& w) {
  const Window* cur = &w;
  while (cur) {
    if (!cur->visible() || (cur->style & WS_MINIMIZE)) return false;
    cur = cur->parent ? window_locked(cur->parent) : nullptr;
  }
  return true;
}

gdi::ClipRegion visible_region_locked(const Window& w, bool client_area) {
  if (!really_visible_locked(w)) return gdi::ClipRegion{};
  gdi::ClipRegion region(client_area ? client_rect_on_screen_locked(w) : window_rect_on_screen_locked(w));
  if (client_area && (w.style & WS_CLIPCHILDREN)) {
    for (HWND h : w.children) {
      Window* c = window_locked(h);
      if (c && c->visible()) region.subtract(window_rect_on_screen_locked(*c));
    }
  }
  const Window* cur = &w;
  while (cur->parent) {
    Window* parent = window_locked(cur->parent);
    if (!parent) break;
    if (cur->style & WS_CLIPSIBLINGS) {
      for (HWND h : parent->children) {
        if (h == cur->handle) break;  // only siblings above it
        Window* s = window_locked(h);
        if (s && s->visible()) region.subtract(window_rect_on_screen_locked(*s));
      }
    }
    region.intersect(client_rect_on_screen_locked(*parent));
    cur = parent;
  }
  region.intersect(cur->window_rect);
  POINT origin = surface_origin_on_screen_locked(w);
  region.offset(-origin.x, -origin.y);
  return region;
}

HWND window_from_point_locked(POINT screen) {
  for (HWND top : top_level_windows_locked()) {
    Window* t = window_locked(top);
    if (!t || !t->visible() || (t->style & WS_MINIMIZE) || !contains(t->window_rect, screen)) continue;
    if (!contains(t->client_rect, screen)) return top;
    HWND child = child_at_locked(*t, screen);
    return child ? child : top;
  }
  return nullptr;
}

}  // namespace win32::user
