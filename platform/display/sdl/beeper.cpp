#include "display/sdl/beeper.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace display::sdl {
namespace {

constexpr int kRate = 22050;
constexpr int kToneMs = 120;
constexpr double kPitch = 880.0;
// Beeps asked for faster than they play are dropped rather than queued for seconds.
constexpr Uint32 kMaxQueuedBytes = kRate * 2 / 2;

std::vector<Sint16> tone() {
  const int n = kRate * kToneMs / 1000;
  const double pi = std::acos(-1.0);
  std::vector<Sint16> samples(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    double fade = std::min(1.0, std::min(i, n - i) / (kRate * 0.005));  // no clicks at the ends
    samples[static_cast<size_t>(i)] = static_cast<Sint16>(6000.0 * fade * std::sin(2 * pi * kPitch * i / kRate));
  }
  return samples;
}

}  // namespace

Beeper::~Beeper() {
  if (device_) SDL_CloseAudioDevice(device_);
}

bool Beeper::open_audio() {
  if (tried_audio_) return device_ != 0;
  tried_audio_ = true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 1024;
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
  if (device_) SDL_PauseAudioDevice(device_, 0);
  return device_ != 0;
}

void Beeper::beep(SDL_Window* any_window) {
  if (open_audio()) {
    if (SDL_GetQueuedAudioSize(device_) > kMaxQueuedBytes) return;
    static const std::vector<Sint16> samples = tone();
    if (SDL_QueueAudio(device_, samples.data(), static_cast<Uint32>(samples.size() * sizeof(Sint16))) == 0) return;
  }
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (any_window && SDL_GetWindowWMInfo(any_window, &info) && info.subsystem == SDL_SYSWM_X11) {
    XBell(info.info.x11.display, 0);
    XFlush(info.info.x11.display);
  }
}

}  // namespace display::sdl
