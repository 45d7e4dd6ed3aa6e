// Backend selection: TORVEX_DISPLAY=headless|sdl decides; without it the desktop is used
// when the session has one (DISPLAY or WAYLAND_DISPLAY) and SDL's video starts there.
// A desktop that was expected but cannot be opened costs one line on stderr, and the
// program carries on with the headless display.
#include "display/backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "display/headless_backend.h"
#include "display/sdl/sdl_backend.h"

namespace display {
namespace {

sdl::SdlBackend* desktop = nullptr;

void close_desktop_at_exit() {
  if (desktop) desktop->shutdown();
}

bool has_desktop_session() {
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

Backend* choose_backend() {
  const char* wanted = std::getenv("TORVEX_DISPLAY");
  bool want_headless = wanted && std::strcmp(wanted, "headless") == 0;
  bool want_sdl = wanted && std::strcmp(wanted, "sdl") == 0;
  if (wanted && *wanted && !want_headless && !want_sdl)
    std::fprintf(stderr, "TORVEX_DISPLAY=%s: unknown display (headless or sdl); choosing by the session\n", wanted);
  if (want_headless) return new HeadlessBackend;
  if (!want_sdl && !has_desktop_session()) {
    // A program started without a choice says so in one line, so a window that nobody
    // can see does not look like a hang; TORVEX_DISPLAY=headless (the tests) is a choice.
    std::fprintf(stderr, "Running on the headless display: windows are not shown anywhere "
                         "(Ctrl+C ends the program).\n");
    return new HeadlessBackend;
  }
  std::string why;
  if (auto backend = sdl::SdlBackend::start(&why)) {
    desktop = backend.release();
    std::atexit(close_desktop_at_exit);
    return desktop;
  }
  std::fprintf(stderr, "torvex: cannot open the desktop display (%s); running on the headless display\n", why.c_str());
  return new HeadlessBackend;
}

}  // namespace

Backend& backend() {
  static Backend* chosen = choose_backend();  // never destroyed: windows may outlive statics
  return *chosen;
}

void HeadlessBackend::beep(UINT type) {
  std::lock_guard lock(mutex_);
  beeps_.push_back(type);
}

std::vector<UINT> HeadlessBackend::beeps() const {
  std::lock_guard lock(mutex_);
  return beeps_;
}

void HeadlessBackend::clear_beeps() {
  std::lock_guard lock(mutex_);
  beeps_.clear();
}

HeadlessBackend* headless_backend() { return dynamic_cast<HeadlessBackend*>(&backend()); }

}  // namespace display
