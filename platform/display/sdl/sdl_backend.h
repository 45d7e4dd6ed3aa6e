// The desktop backend: every visible top-level window is a borderless SDL window showing
// the platform's pixels. All SDL calls happen on one display thread, which copies changed
// rectangles as they are presented and turns the desktop's events into the window
// system's input, so the desktop sees a responsive program even while the GUI thread is
// busy inside a benchmark. What must happen in a window's own thread (moves, sizes,
// activation the desktop decided) waits there and runs when that thread looks for messages.
#pragma once

#include <win32.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "display/backend.h"
#include "display/sdl/desktop_window.h"
#include "display/sdl/dirty_rects.h"
#include "display/sdl/direct_put.h"

namespace display::sdl {

class DisplayThread;

class SdlBackend final : public Backend {
 public:
  // Starts SDL's video on a new display thread. Null, with the reason in *why, when the
  // desktop cannot be opened.
  static std::unique_ptr<SdlBackend> start(std::string* why);
  ~SdlBackend() override;

  const char* name() const override { return "sdl"; }
  void open_surface(HWND window, std::shared_ptr<gdi::Surface> surface) override;
  void close_surface(HWND window) override;
  void present(HWND window, const RECT& dirty) override;
  void pump_input() override;
  void set_cursor(HCURSOR cursor) override;
  void beep(UINT type) override;
  SIZE desktop_size() const override;

  // Closes the desktop windows and ends the display thread (at process exit).
  void shutdown();
  // Waits until everything presented before the call is on the desktop.
  void flush();
  // How many presents went straight to the desktop (put by the presenting thread).
  std::uint64_t direct_presents() const;
  int scale() const;

  // What the display thread asks a window's own thread to do.
  struct Chore {
    enum class Kind { Place, Minimize, Restore, Activate, Deactivate, Maximize, Unmaximize } kind = Kind::Place;
    HWND hwnd = nullptr;
    RECT rect{};     // Place, Maximize, Unmaximize: the new window rectangle on the platform's screen
    RECT restore{};  // Maximize: the rectangle before the desktop maximized the window
  };

  // The display thread's side of the shared state.
  struct Pending {
    std::shared_ptr<gdi::Surface> surface;
    DirtyRects dirty;
    bool changed = false;
    bool closed = false;
    // The desktop window lent to the presenting threads (xid 0: not lent), and the facts
    // it shows. Taken back whenever the display thread takes the window's work.
    struct Lent {
      unsigned long xid = 0;
      WindowFacts facts;
      std::uint64_t generation = 0;
    } lent;
  };

 private:
  friend class DisplayThread;
  SdlBackend() = default;

  void wake_locked();
  // A present put by the calling thread itself; false when it must go to the display
  // thread (the window is not lent, or something about it other than pixels changed).
  bool present_directly(HWND window, const RECT& dirty);
  void post_chore(const Chore& chore);
  void run_chore(const Chore& chore);

  mutable std::mutex mutex_;
  std::condition_variable flushed_;
  std::map<HWND, Pending> pending_;
  std::deque<Chore> chores_;
  std::uint64_t requested_ = 0;  // presents asked for
  std::uint64_t done_ = 0;       // presents carried out
  int cursor_ = 0;               // 0 arrow, 1 wait, 2 none
  int beeps_ = 0;
  bool wake_sent_ = false;
  int scale_ = 1;
  SIZE desktop_{};  // the primary display's bounds in platform pixels
  // Orders every put of pixels to the desktop (see DesktopWindow); taken before mutex_.
  std::mutex put_mutex_;
  std::unique_ptr<DirectPut> direct_;  // made and ended by the display thread
  std::uint64_t lend_generation_ = 0;
  std::uint64_t direct_presents_ = 0;
  std::unique_ptr<DisplayThread> thread_;
};

}  // namespace display::sdl
