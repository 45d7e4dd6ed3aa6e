// The desktop's connection under SDL, for the display thread's wait: its descriptor and
// whether the client library already holds input read from it. Kept apart because the
// X headers' macros must not meet the platform's.
#pragma once

struct SDL_Window;

namespace display::sdl {

// The descriptor of the X connection `window` lives on; -1 when the desktop is not X11.
int x_connection_fd(SDL_Window* window);
// True when input for the connection of `window` is waiting to be handled: events in the
// client library's queue, or readable now. Flushes requests not yet sent.
bool x_input_pending(SDL_Window* window);
// The X window behind `window`; 0 when the desktop is not X11.
unsigned long x_window_id(SDL_Window* window);

}  // namespace display::sdl
