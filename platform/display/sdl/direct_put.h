// The quick way a present reaches the desktop: the presenting thread puts the changed
// rectangles to the window itself, over an X connection of its own and one shared-memory
// image, and waits until the server has them. Without it every present is a hand-off to
// the display thread and back, two thread wakes that cost more than a small put itself.
// The display thread still creates, places, shows and hides the windows; it lends a window
// to this path only while the platform's facts about it are the ones it last put on the
// desktop (see SdlBackend::present).
//
// Kept apart, like x_connection, because the X headers' macros must not meet the
// platform's; nothing here knows a window handle or a surface.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct SDL_Window;

namespace display::sdl {

// One rectangle in the source's pixels.
struct PutRect {
  int x, y, width, height;
};

// Platform pixels (0x00RRGGBB), row after row, as a window's surface holds them.
struct PutSource {
  const std::uint32_t* pixels;
  int stride;  // pixels from one row to the next
  int width, height;
};

class DirectPut {
 public:
  // A connection of its own to the X server `window` lives on, with the MIT-SHM extension
  // and a 32-bit TrueColor visual whose bytes are the platform's pixels. Null otherwise
  // (not X11, a remote server, another pixel layout): presents then go through the display
  // thread. Display thread only: attaching the shared memory may fail on a server that
  // cannot see it, and that failure is caught with an X error handler, which is global.
  static std::unique_ptr<DirectPut> open(SDL_Window* window);
  ~DirectPut();
  DirectPut(const DirectPut&) = delete;
  DirectPut& operator=(const DirectPut&) = delete;

  // True when the X window `xid` has the visual the image was made for, so pixels can be
  // put to it. A round trip; display thread, under the put lock.
  bool suits(unsigned long xid);
  // Makes the image at least `width` x `height`; false when that fails (the old image is
  // kept). Display thread, under the put lock.
  bool reserve(int width, int height);

  // Copies `rects` (platform pixels of `source`, each shown `factor` x `factor`) into the
  // image and puts them to `xid` at the same place, then waits until the server has them,
  // so the image can be written again and a later put from another connection lands
  // after these. Parts outside the source or the image are left out.
  // REQUIRES: the put lock held, `xid` suits() and lives until this returns.
  void put(unsigned long xid, const PutSource& source, const std::vector<PutRect>& rects, int factor);

 private:
  struct Connection;
  explicit DirectPut(std::unique_ptr<Connection> connection);
  std::unique_ptr<Connection> x_;
};

}  // namespace display::sdl
