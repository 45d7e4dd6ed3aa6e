// Window DCs for the window manager, and the screen size.
#include "gdi/window_dc.h"

#include <atomic>

#include "gdi/device_context.h"
#include "gdi/gdi_error.h"

namespace gdi {

namespace {

std::atomic<int> screen_width{1024};
std::atomic<int> screen_height{768};

std::shared_ptr<DeviceContext> find_surface_dc(HDC hdc) {
  std::shared_ptr<DeviceContext> dc = find_dc(hdc);
  if (!dc || dc->memory()) return nullptr;
  return dc;
}

}  // namespace

HDC CreateSurfaceDC(std::shared_ptr<Surface> surface, POINT origin, ClipRegion visible) {
  if (!surface) {
    set_error(kErrorInvalidParameter);
    return nullptr;
  }
  Lock lock;
  std::shared_ptr<DeviceContext> dc = make_dc(false);
  dc->surface = std::move(surface);
  dc->origin = origin;
  dc->visible = std::move(visible);
  HDC hdc = handle_cast<HDC>(insert_object(dc));
  if (!hdc) release_selections(*dc);
  return hdc;
}

BOOL DestroySurfaceDC(HDC hdc) {
  Lock lock;
  std::shared_ptr<DeviceContext> dc = find_surface_dc(hdc);
  if (!dc) return FALSE;
  release_selections(*dc);
  erase_object(hdc);
  return TRUE;
}

BOOL SetSurfaceDCVisible(HDC hdc, POINT origin, ClipRegion visible) {
  Lock lock;
  std::shared_ptr<DeviceContext> dc = find_surface_dc(hdc);
  if (!dc) return FALSE;
  dc->origin = origin;
  dc->visible = std::move(visible);
  return TRUE;
}

BOOL SetSurfaceDCSurface(HDC hdc, std::shared_ptr<Surface> surface) {
  Lock lock;
  std::shared_ptr<DeviceContext> dc = find_surface_dc(hdc);
  if (!dc || !surface) return FALSE;
  dc->surface = std::move(surface);
  return TRUE;
}

void SetScreenSize(int width, int height) {
  if (width > 0) screen_width.store(width, std::memory_order_relaxed);
  if (height > 0) screen_height.store(height, std::memory_order_relaxed);
}

SIZE GetScreenSize() {
  return SIZE{screen_width.load(std::memory_order_relaxed),
              screen_height.load(std::memory_order_relaxed)};
}

HBRUSH ResolveBrush(HBRUSH brush) {
  auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value == 0) return nullptr;
  if (value <= COLOR_INFOBK + 1) return GetSysColorBrush(static_cast<int>(value) - 1);
  Lock lock;
  return find_brush(brush) ? brush : nullptr;
}

}  // namespace gdi
