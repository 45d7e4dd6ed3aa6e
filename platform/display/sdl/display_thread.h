// The thread that owns SDL: it starts the video subsystem, shows what the platform
// presents, and turns desktop events into window-system input. Nothing else calls SDL.
#pragma once

#include <win32.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "display/sdl/beeper.h"
#include "display/sdl/desktop_window.h"
#include "display/sdl/sdl_backend.h"
#include "display/sdl/wake_poll.h"

union SDL_Event;
struct SDL_Cursor;

namespace display::sdl {

class DisplayThread {
 public:
  explicit DisplayThread(SdlBackend& backend) : backend_(backend) {}
  ~DisplayThread();

  // Starts the thread and waits until SDL's video is up; false (with the reason) when not.
  bool start(std::string* why);
  // Asks the thread to look at what was presented. Safe from any thread.
  void wake();
  // Closes every desktop window and ends the thread.
  void stop();

 private:
  void run(std::promise<std::string> started);
  void handle(SDL_Event& event);
  void handle_window_event(const SDL_Event& event);
  void report_desktop_changes();
  void raise_enabled_popup(const DesktopWindow& owner);
  void service();
  void lend(DesktopWindow& w);
  void wait();
  SDL_Window* any_window() const;
  void check_focus();
  DesktopWindow* by_id(std::uint32_t id);
  POINT to_screen(const DesktopWindow& w, int x, int y) const;

  SdlBackend& backend_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  WakePoll wake_poll_;
  // Once a desktop window exists its connection is polled with the wake. A desktop that
  // is not X11 has no descriptor to poll: SDL's own wait then, woken by an SDL event.
  bool connection_known_ = false;
  std::atomic<bool> sdl_wakes_{false};
  std::uint32_t wake_event_ = 0;
  bool direct_tried_ = false;
  Scale scale_;
  std::map<HWND, std::unique_ptr<DesktopWindow>> windows_;
  Beeper beeper_;
  int cursor_shown_ = -1;
  SDL_Cursor* arrow_cursor_ = nullptr;  // freed by SDL_Quit
  SDL_Cursor* wait_cursor_ = nullptr;
  int buttons_down_ = 0;
  // Focus that left all our windows; the program is deactivated only if it stays gone,
  // so the hand-over between two of our own windows does not deactivate it in between.
  bool focus_lost_ = false;
  std::chrono::steady_clock::time_point focus_lost_at_;
};

}  // namespace display::sdl
