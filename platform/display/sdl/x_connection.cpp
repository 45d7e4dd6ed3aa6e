#include "display/sdl/x_connection.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace display::sdl {
namespace {

Display* x_display(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
  return info.info.x11.display;
}

}  // namespace

int x_connection_fd(SDL_Window* window) {
  Display* display = x_display(window);
  return display ? ConnectionNumber(display) : -1;
}

bool x_input_pending(SDL_Window* window) {
  Display* display = x_display(window);
  return display && XPending(display) > 0;
}

unsigned long x_window_id(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return info.info.x11.window;
}

}  // namespace display::sdl
