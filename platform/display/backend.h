// The narrow boundary between the window system and whatever shows its windows. A
// backend presents the surfaces of top-level windows and turns the person's input into
// calls on the window system's input entry points (user/input.h). Headless keeps a
// virtual screen for tests and screenshots; a desktop backend shows real windows.
#pragma once

#include <win32.h>

#include <memory>

#include "gdi/surface.h"

namespace display {

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* name() const = 0;

  // A top-level window got its surface, or lost it when destroyed.
  virtual void open_surface(HWND window, std::shared_ptr<gdi::Surface> surface) = 0;
  virtual void close_surface(HWND window) = 0;
  // Pixels inside `dirty` (surface coordinates) changed, or the window moved or changed
  // visibility (then `dirty` is the whole surface).
  virtual void present(HWND window, const RECT& dirty) = 0;
  // Turns input waiting at the desktop into window-system input. Called by the GUI
  // thread before it looks at its queue; never with the user lock held.
  virtual void pump_input() = 0;
  virtual void set_cursor(HCURSOR cursor) = 0;
  virtual void beep(UINT type) = 0;
  // The desktop's size in platform pixels, or 0 x 0 for a backend without a desktop of its
  // own (the virtual screen's size applies then).
  virtual SIZE desktop_size() const { return SIZE{0, 0}; }
};

// The backend chosen at start-up: TORVEX_DISPLAY=headless|sdl, else the desktop one
// when a display is available and built in, else headless.
Backend& backend();

}  // namespace display
