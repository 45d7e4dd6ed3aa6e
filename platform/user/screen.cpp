#include "screen.h"

#include "display/backend.h"
#include "gdi/window_dc.h"

#include <cstdio>
#include <cstdlib>

namespace win32::user {
namespace {

constexpr SIZE kDefaultScreen{1024, 768};
constexpr LONG kSmallestScreen = 64;
constexpr LONG kLargestScreen = 16384;

// TORVEX_SCREEN, else the desktop's own size when a desktop backend runs, else the default.
SIZE read_screen_size() {
  const char* text = std::getenv("TORVEX_SCREEN");
  int w = 0, h = 0;
  if (!text || std::sscanf(text, "%dx%d", &w, &h) != 2) {
    SIZE desktop = display::backend().desktop_size();
    if (desktop.cx < kSmallestScreen || desktop.cy < kSmallestScreen || desktop.cx > kLargestScreen ||
        desktop.cy > kLargestScreen)
      return kDefaultScreen;
    return desktop;
  }
  if (w < kSmallestScreen || h < kSmallestScreen || w > kLargestScreen || h > kLargestScreen)
    return kDefaultScreen;
  return SIZE{w, h};
}

}  // namespace

SIZE screen_size() {
  static const SIZE size = [] {
    SIZE s = read_screen_size();
    gdi::SetScreenSize(s.cx, s.cy);
    return s;
  }();
  return size;
}

}  // namespace win32::user
