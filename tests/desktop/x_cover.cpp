#include "x_cover.h"

#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

namespace desktop_test {

bool cover_for_a_moment(const std::string& display, const Area& area) {
  Display* x = XOpenDisplay(display.c_str());
  if (!x) return false;
  int screen = DefaultScreen(x);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;  // placed where asked, whatever manages the screen
  attributes.background_pixel = WhitePixel(x, screen);
  Window cover = XCreateWindow(x, RootWindow(x, screen), area.left, area.top, static_cast<unsigned>(area.width()),
                               static_cast<unsigned>(area.height()), 0, CopyFromParent, InputOutput, CopyFromParent,
                               CWOverrideRedirect | CWBackPixel, &attributes);
  XSelectInput(x, cover, ExposureMask);
  XMapRaised(x, cover);
  // Drawn once its first expose arrives; a server that never sends it has 5 s.
  XSync(x, False);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  XEvent e;
  while (!XCheckTypedWindowEvent(x, cover, Expose, &e) && std::chrono::steady_clock::now() < deadline) {
    pollfd p{ConnectionNumber(x), POLLIN, 0};
    poll(&p, 1, 50);
  }
  XDestroyWindow(x, cover);
  XSync(x, False);
  XCloseDisplay(x);
  return true;
}

}  // namespace desktop_test
