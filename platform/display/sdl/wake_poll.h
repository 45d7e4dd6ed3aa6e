// How the display thread sleeps: until another thread wakes it, the desktop's connection
// has input for it, or a timeout passes. The wake is an eventfd the thread polls together
// with the connection, so a present from the GUI thread costs one write() instead of a
// message through the X server and back.
#pragma once

namespace display::sdl {

class WakePoll {
 public:
  WakePoll();
  ~WakePoll();
  WakePoll(const WakePoll&) = delete;
  WakePoll& operator=(const WakePoll&) = delete;

  // Makes the current or the next wait() return. Safe from any thread, never blocks;
  // wakes that arrive before the waiter looks are kept, and many count as one.
  void wake();
  // Also wait for input on this descriptor (the desktop's connection); -1 for none.
  // Waiter's thread only.
  void watch(int fd) { watched_ = fd; }
  // Sleeps until woken, the watched descriptor is readable, or `timeout_ms` has passed
  // (-1: no limit). True when a wake was taken; the wake is used up by this call.
  // REQUIRES: everything already read from the watched descriptor has been handled, or
  // the wait sleeps on input that is waiting in a buffer.
  bool wait(int timeout_ms);
  // True when a wake is waiting, taking it; never sleeps.
  bool take() { return wait(0); }

 private:
  int event_fd_ = -1;
  int watched_ = -1;
};

}  // namespace display::sdl
