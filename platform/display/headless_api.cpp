// The headless test interface: input as a person makes it, idle waits and screenshots.
#include <win32_headless.h>

#include <chrono>
#include <cctype>
#include <cstring>

#include "display/headless_backend.h"
#include "display/png_writer.h"
#include "user/input.h"
#include "user/message_queue.h"
#include "user/paint_dc.h"
#include "user/screen_layers.h"
#include "user/user_lock.h"
#include "user/window_tree.h"

namespace headless {
namespace {

using namespace win32::user;

// Composes the visible windows over the desktop into one screen-sized surface.
std::shared_ptr<gdi::Surface> compose_screen() {
  auto desktop = desktop_surface();
  std::shared_ptr<gdi::Surface> screen;
  {
    std::lock_guard lock(desktop->mutex());
    screen = std::make_shared<gdi::Surface>(desktop->width(), desktop->height());
    for (int y = 0; y < desktop->height(); ++y) std::memcpy(screen->row(y), desktop->row(y), sizeof(gdi::Pixel) * desktop->width());
  }
  for (const ScreenLayer& layer : screen_layers()) {
    std::lock_guard lock(layer.surface->mutex());
    for (int y = 0; y < layer.surface->height(); ++y) {
      int sy = layer.screen_rect.top + y;
      if (sy < 0 || sy >= screen->height()) continue;
      const gdi::Pixel* row = layer.surface->row(y);
      for (int x = 0; x < layer.surface->width(); ++x) {
        int sx = layer.screen_rect.left + x;
        if (sx >= 0 && sx < screen->width()) screen->row(sy)[sx] = row[x];
      }
    }
  }
  return screen;
}

// The virtual key and shift state that type a character, or false for none.
bool key_for(char c, UINT* vk, bool* shift) {
  static const char kPlain[] = ";=,-./`[\\]'";
  static const char kShifted[] = ":+<_>?~{|}\"";
  static const UINT kOem[] = {VK_OEM_1, VK_OEM_PLUS, VK_OEM_COMMA, VK_OEM_MINUS, VK_OEM_PERIOD, VK_OEM_2,
                              VK_OEM_3, VK_OEM_4,    VK_OEM_5,     VK_OEM_6,     VK_OEM_7};
  static const char kDigitsShifted[] = ")!@#$%^&*(";
  *shift = false;
  if (std::isalpha(static_cast<unsigned char>(c))) {
    *vk = static_cast<UINT>(std::toupper(static_cast<unsigned char>(c)));
    *shift = std::isupper(static_cast<unsigned char>(c)) != 0;
    return true;
  }
  if (c >= '0' && c <= '9') {
    *vk = static_cast<UINT>(c);
    return true;
  }
  if (c == ' ') return *vk = VK_SPACE, true;
  if (c == '\n' || c == '\r') return *vk = VK_RETURN, true;
  if (c == '\t') return *vk = VK_TAB, true;
  if (const char* p = std::strchr(kDigitsShifted, c); p && c) {
    *vk = static_cast<UINT>('0' + (p - kDigitsShifted));
    *shift = true;
    return true;
  }
  if (const char* p = std::strchr(kPlain, c); p && c) return *vk = kOem[p - kPlain], true;
  if (const char* p = std::strchr(kShifted, c); p && c) {
    *vk = kOem[p - kShifted];
    *shift = true;
    return true;
  }
  return false;
}

}  // namespace

bool active() { return display::headless_backend() != nullptr; }

void mouse_move(int x, int y) { input_mouse_move(POINT{x, y}); }
void mouse_button(int button, bool down) { input_mouse_button(button, down); }

void click(int x, int y, int button) {
  mouse_move(x, y);
  mouse_button(button, true);
  mouse_button(button, false);
}

void double_click(int x, int y) {
  click(x, y);
  click(x, y);
}

void key(UINT vk, bool down) { input_key(vk, down); }

void press_key(UINT vk) {
  key(vk, true);
  key(vk, false);
}

void type_text(const char* text) {
  for (const char* p = text; p && *p; ++p) {
    UINT vk;
    bool shift;
    if (!key_for(*p, &vk, &shift)) continue;
    if (shift) key(VK_SHIFT, true);
    press_key(vk);
    if (shift) key(VK_SHIFT, false);
  }
}

bool wait_idle(HWND window, DWORD timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  UserLock lock(user_lock());
  Window* w = window_locked(window);
  if (!w) return false;
  DWORD thread = w->thread_id;
  return idle_changed().wait_until(lock, deadline, [&] { return thread_idle_locked(thread); });
}

bool screenshot(const char* path) { return path && display::write_png(*compose_screen(), path); }

bool screenshot_window(HWND window, const char* path) {
  std::shared_ptr<gdi::Surface> surface;
  RECT area;
  if (!path || !window_surface_area(window, &surface, &area)) return false;
  return display::write_png(*surface, path, &area);
}

std::vector<COLORREF> screen_pixels(int* width, int* height) {
  auto screen = compose_screen();
  std::vector<COLORREF> pixels;
  pixels.reserve(static_cast<size_t>(screen->width()) * screen->height());
  for (int y = 0; y < screen->height(); ++y)
    for (int x = 0; x < screen->width(); ++x) pixels.push_back(gdi::to_colorref(screen->row(y)[x]));
  if (width) *width = screen->width();
  if (height) *height = screen->height();
  return pixels;
}

std::vector<UINT> beeps() {
  auto* h = display::headless_backend();
  return h ? h->beeps() : std::vector<UINT>{};
}

void clear_beeps() {
  if (auto* h = display::headless_backend()) h->clear_beeps();
}

}  // namespace headless
