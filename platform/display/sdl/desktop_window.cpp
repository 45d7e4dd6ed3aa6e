#include "display/sdl/desktop_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "display/sdl/drag_areas.h"
#include "display/sdl/x_connection.h"
#include "user/nonclient.h"
#include "user/user_lock.h"
#include "user/window_tree.h"

namespace display::sdl {
namespace {

using namespace win32::user;

SDL_HitTestResult to_sdl(DragArea area) {
  switch (area) {
    case DragArea::Move: return SDL_HITTEST_DRAGGABLE;
    case DragArea::Left: return SDL_HITTEST_RESIZE_LEFT;
    case DragArea::Right: return SDL_HITTEST_RESIZE_RIGHT;
    case DragArea::Top: return SDL_HITTEST_RESIZE_TOP;
    case DragArea::Bottom: return SDL_HITTEST_RESIZE_BOTTOM;
    case DragArea::TopLeft: return SDL_HITTEST_RESIZE_TOPLEFT;
    case DragArea::TopRight: return SDL_HITTEST_RESIZE_TOPRIGHT;
    case DragArea::BottomLeft: return SDL_HITTEST_RESIZE_BOTTOMLEFT;
    case DragArea::BottomRight: return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
    case DragArea::None: break;
  }
  return SDL_HITTEST_NORMAL;
}

// Runs on the display thread inside SDL's event pump, so it answers from the facts read at
// the last present instead of asking the window (which could block on a busy GUI thread).
SDL_HitTestResult hit_test_callback(SDL_Window*, const SDL_Point* at, void* data) {
  const auto* self = static_cast<const DesktopWindow*>(data);
  const WindowFacts& f = self->facts();
  Scale scale = self->scale();
  int width = f.rect.right - f.rect.left;
  POINT p{scale.to_platform(at->x), scale.to_platform(at->y)};
  LRESULT hit = hit_test(f.style, f.ex_style, f.has_menu, width, f.rect.bottom - f.rect.top, p);
  return to_sdl(drag_area(hit, f.enabled, f.maximized));
}

}  // namespace

WindowFacts read_window_facts(HWND hwnd) {
  WindowFacts f;
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return f;
  f.exists = true;
  f.visible = w->visible();
  f.minimized = (w->style & WS_MINIMIZE) != 0;
  f.maximized = (w->style & WS_MAXIMIZE) != 0;
  f.enabled = w->enabled();
  f.has_menu = w->menu != nullptr && !w->is_child();
  f.style = w->style;
  f.ex_style = w->ex_style;
  f.rect = w->window_rect;
  f.owner = w->owner;
  f.title = w->text;
  return f;
}

bool same_facts(const WindowFacts& a, const WindowFacts& b) {
  return a.exists == b.exists && a.visible == b.visible && a.minimized == b.minimized && a.maximized == b.maximized &&
         a.enabled == b.enabled && a.has_menu == b.has_menu && a.style == b.style && a.ex_style == b.ex_style &&
         EqualRect(&a.rect, &b.rect) && a.owner == b.owner && a.title == b.title;
}

DesktopWindow::DesktopWindow(HWND hwnd, std::shared_ptr<gdi::Surface> surface, Scale scale, std::mutex& put_lock)
    : hwnd_(hwnd), surface_(std::move(surface)), scale_(scale), put_lock_(put_lock) {}

DesktopWindow::~DesktopWindow() {
  if (!window_) return;
  // A put from a presenting thread that already had the window finishes first.
  std::lock_guard put(put_lock_);
  SDL_DestroyWindow(window_);
}

void DesktopWindow::create(SDL_Window* owner) {
  Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN;
  if (facts_.style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
  // Drop-down menus and owned boxes float above their owner and stay off the task bar.
  if (is_menu())
    flags |= SDL_WINDOW_POPUP_MENU | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
  else if (facts_.owner)
    flags |= SDL_WINDOW_UTILITY | SDL_WINDOW_SKIP_TASKBAR;
  int w = std::max(1, scale_.to_desktop(facts_.rect.right - facts_.rect.left));
  int h = std::max(1, scale_.to_desktop(facts_.rect.bottom - facts_.rect.top));
  origin_ = POINT{scale_.to_desktop(facts_.rect.left), scale_.to_desktop(facts_.rect.top)};
  size_ = SIZE{w, h};
  window_ = SDL_CreateWindow(facts_.title.c_str(), origin_.x, origin_.y, w, h, flags);
  if (!window_) return;
  id_ = SDL_GetWindowID(window_);
  x_window_ = x_window_id(window_);
  if (owner && !is_menu()) SDL_SetWindowModalFor(window_, owner);
  if ((facts_.style & WS_CAPTION) == WS_CAPTION) SDL_SetWindowHitTest(window_, hit_test_callback, this);
}

void DesktopWindow::place() {
  POINT want{scale_.to_desktop(facts_.rect.left), scale_.to_desktop(facts_.rect.top)};
  SIZE size{std::max(1, scale_.to_desktop(facts_.rect.right - facts_.rect.left)),
            std::max(1, scale_.to_desktop(facts_.rect.bottom - facts_.rect.top))};
  if (size.cx != size_.cx || size.cy != size_.cy) {
    size_ = size;
    SDL_SetWindowSize(window_, size.cx, size.cy);
  }
  if (want.x != origin_.x || want.y != origin_.y) {
    origin_ = want;
    SDL_SetWindowPosition(window_, want.x, want.y);
  }
}

bool DesktopWindow::desktop_moved(int x, int y) {
  if (x == origin_.x && y == origin_.y) return false;
  origin_ = POINT{x, y};
  return true;
}

bool DesktopWindow::desktop_resized(int w, int h) {
  if (w == size_.cx && h == size_.cy) return false;
  size_ = SIZE{w, h};
  return true;
}

void DesktopWindow::sync(const WindowFacts& facts, const std::vector<RECT>& dirty, SDL_Window* owner) {
  facts_ = facts;
  bool show = facts.exists && facts.visible && !facts.minimized;
  if (!window_) {
    if (!show) return;
    create(owner);
    if (!window_) return;
  }
  if (window_ && facts.exists && std::strcmp(SDL_GetWindowTitle(window_), facts.title.c_str()) != 0)
    SDL_SetWindowTitle(window_, facts.title.c_str());
  // The program restored a window the window manager had maximized (its own restore box):
  // the manager lets go of it first, so the place below holds.
  if (platform_maximized_ && !facts.maximized && desktop_maximized_) {
    SDL_RestoreWindow(window_);
    desktop_maximized_ = false;
  }
  platform_maximized_ = facts.maximized;
  SIZE before = size_;
  if (facts.exists && facts.visible) place();
  if (facts.minimized && !minimized_ && shown_) {
    SDL_MinimizeWindow(window_);
    minimized_ = true;
    return;
  }
  if (!show) {
    if (shown_ && !facts.minimized) {
      SDL_HideWindow(window_);
      shown_ = false;
    }
    return;
  }
  bool whole = !shown_ || minimized_ || before.cx != size_.cx || before.cy != size_.cy;
  if (!shown_) {
    SDL_ShowWindow(window_);
    shown_ = true;
  }
  if (minimized_) {
    SDL_RestoreWindow(window_);
    minimized_ = false;
  }
  if (whole) {
    std::vector<RECT> all{RECT{0, 0, facts.rect.right - facts.rect.left, facts.rect.bottom - facts.rect.top}};
    copy(all);
  } else if (!dirty.empty()) {
    copy(dirty);
  }
}

// From the platform's pixels, not SDL's copy of them: puts from the presenting threads
// pass that copy by.
void DesktopWindow::refresh() {
  if (!window_ || !shown_) return;
  copy(std::vector<RECT>{RECT{0, 0, facts_.rect.right - facts_.rect.left, facts_.rect.bottom - facts_.rect.top}});
}

void DesktopWindow::copy(const std::vector<RECT>& dirty) {
  // Held until the put below has reached the server (SDL waits for it), so puts from
  // two connections land in the order they read the pixels.
  std::lock_guard put(put_lock_);
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (!target || SDL_LockSurface(target) != 0) return;
  const int f = scale_.factor;
  const bool direct = target->format->BytesPerPixel == 4 && target->format->Rmask == 0xFF0000u &&
                      target->format->Gmask == 0xFF00u && target->format->Bmask == 0xFFu;
  const Uint32 alpha = target->format->Amask;
  std::vector<SDL_Rect> updated;
  {
    std::lock_guard lock(surface_->mutex());
    const int sw = std::min(surface_->width(), target->w / f);
    const int sh = std::min(surface_->height(), target->h / f);
    for (const RECT& r : dirty) {
      RECT c{std::max<LONG>(0, r.left), std::max<LONG>(0, r.top), std::min<LONG>(sw, r.right),
             std::min<LONG>(sh, r.bottom)};
      if (c.left >= c.right || c.top >= c.bottom) continue;
      const int cw = c.right - c.left;
      for (int y = c.top; y < c.bottom; ++y) {
        const gdi::Pixel* src = surface_->row(y) + c.left;
        for (int dy = 0; dy < f; ++dy) {
          auto* line = static_cast<Uint8*>(target->pixels) + static_cast<size_t>(y * f + dy) * target->pitch;
          if (!direct) {
            if (f == 1)
              SDL_ConvertPixels(cw, 1, SDL_PIXELFORMAT_RGB888, src, cw * 4, target->format->format,
                                line + static_cast<size_t>(c.left) * target->format->BytesPerPixel, target->pitch);
            continue;
          }
          auto* out = reinterpret_cast<Uint32*>(line) + static_cast<size_t>(c.left) * f;
          if (f == 1 && !alpha) {
            std::memcpy(out, src, static_cast<size_t>(cw) * 4);
          } else {
            for (int x = 0; x < cw; ++x)
              for (int dx = 0; dx < f; ++dx) *out++ = src[x] | alpha;
          }
        }
      }
      updated.push_back(SDL_Rect{c.left * f, c.top * f, cw * f, (c.bottom - c.top) * f});
    }
  }
  SDL_UnlockSurface(target);
  if (!updated.empty()) SDL_UpdateWindowSurfaceRects(window_, updated.data(), static_cast<int>(updated.size()));
}

}  // namespace display::sdl
