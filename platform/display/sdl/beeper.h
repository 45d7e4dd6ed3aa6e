// MessageBeep on the desktop: a short tone through the audio device when there is one,
// else the display's bell. Never blocks and never fails loudly: a machine without sound
// simply stays quiet. Display thread only.
#pragma once

struct SDL_Window;

namespace display::sdl {

class Beeper {
 public:
  ~Beeper();
  // `any_window` lets the bell find the display; may be null.
  void beep(SDL_Window* any_window);

 private:
  bool open_audio();

  bool tried_audio_ = false;
  unsigned device_ = 0;
};

}  // namespace display::sdl
