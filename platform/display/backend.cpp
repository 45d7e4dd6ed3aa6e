// Backend selection. Only the headless backend is built in so far, so every choice ends
// there; a desktop backend plugs in here.
#include "display/backend.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display/headless_backend.h"

namespace display {
namespace {

Backend* choose_backend() {
  // TORVEX_DISPLAY=sdl, or a desktop session, would pick the desktop backend once it
  // exists; until then the virtual screen serves every case, and an explicit request for
  // the desktop is answered with a note rather than silently.
  // A program started without a choice says so in one line, so a window that nobody can
  // see does not look like a hang; TORVEX_DISPLAY=headless (the tests) is a choice.
  const char* wanted = std::getenv("TORVEX_DISPLAY");
  if (wanted == nullptr)
    std::fprintf(stderr, "Running on the headless display: windows are not shown anywhere "
                         "(Ctrl+C ends the program).\n");
  else if (std::strcmp(wanted, "headless") != 0)
    std::fprintf(stderr, "TORVEX_DISPLAY=%s: this build has only the headless display\n", wanted);
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
