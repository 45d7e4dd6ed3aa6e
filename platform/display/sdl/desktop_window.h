// One top-level window of the program shown as a desktop window: the SDL window, where it
// was last put, and the copy of changed pixels into it. Lives on the display thread only.
#pragma once

#include <win32.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "display/sdl/scale.h"
#include "gdi/surface.h"

struct SDL_Window;

namespace display::sdl {

// What the platform says about a window, read under the user lock at each present.
struct WindowFacts {
  bool exists = false;
  bool visible = false;
  bool minimized = false;
  bool maximized = false;
  bool enabled = true;
  bool has_menu = false;
  DWORD style = 0;
  DWORD ex_style = 0;
  RECT rect{};  // the window rectangle on the platform's screen
  HWND owner = nullptr;
  std::string title;
};

WindowFacts read_window_facts(HWND hwnd);
bool same_facts(const WindowFacts& a, const WindowFacts& b);

class DesktopWindow {
 public:
  // `put_lock` orders every put of pixels to the desktop, ours and the presenting
  // threads' (SdlBackend::put_mutex_), and is held while the desktop window goes.
  DesktopWindow(HWND hwnd, std::shared_ptr<gdi::Surface> surface, Scale scale, std::mutex& put_lock);
  ~DesktopWindow();
  DesktopWindow(const DesktopWindow&) = delete;
  DesktopWindow& operator=(const DesktopWindow&) = delete;

  // Brings the desktop window in line with the platform's facts (creating, placing,
  // showing, hiding, minimizing), then copies `dirty` (surface coordinates) to it. A window
  // that appeared or changed size is copied whole. `owner` is the owner's desktop window.
  void sync(const WindowFacts& facts, const std::vector<RECT>& dirty, SDL_Window* owner);
  // Copies the whole surface again (the desktop lost the pixels).
  void refresh();

  SDL_Window* sdl_window() const { return window_; }
  // The X window, 0 when the desktop is not X11.
  unsigned long x_window() const { return x_window_; }
  // Created, shown and not minimized: what the platform presents can go straight to it.
  bool on_desktop() const { return window_ && shown_ && !minimized_; }
  // Whether the presenting threads' own connection can put to it: -1 not asked yet.
  int& direct_suits() { return direct_suits_; }
  HWND hwnd() const { return hwnd_; }
  std::uint32_t id() const { return id_; }
  const WindowFacts& facts() const { return facts_; }
  Scale scale() const { return scale_; }
  // Where the desktop put the window, in desktop pixels.
  POINT desktop_origin() const { return origin_; }
  // Records a move or resize the desktop made; false when it is the echo of our own.
  bool desktop_moved(int x, int y);
  bool desktop_resized(int w, int h);

  // What the desktop did to the window that the program has not been told yet. Gathered
  // over one batch of events, so that a maximize (a resize and a state change) reaches
  // the program as one change.
  struct DesktopChange {
    bool geometry = false;
    bool maximized = false;  // the window manager maximized the window
    bool restored = false;   // ... or took its maximize back
  };
  DesktopChange& desktop_change() { return change_; }
  // The window manager's maximize, as SDL reports it.
  bool desktop_maximized() const { return desktop_maximized_; }
  void set_desktop_maximized(bool on) { desktop_maximized_ = on; }

  // True for drop-down menus, which never take activation.
  bool is_menu() const { return (facts_.ex_style & WS_EX_TOOLWINDOW) != 0; }

 private:
  void create(SDL_Window* owner);
  void place();
  void copy(const std::vector<RECT>& dirty);

  HWND hwnd_;
  std::shared_ptr<gdi::Surface> surface_;
  Scale scale_;
  std::mutex& put_lock_;
  SDL_Window* window_ = nullptr;
  unsigned long x_window_ = 0;
  int direct_suits_ = -1;
  std::uint32_t id_ = 0;
  WindowFacts facts_;
  POINT origin_{};       // desktop pixels
  SIZE size_{};          // desktop pixels
  bool shown_ = false;
  bool minimized_ = false;
  bool desktop_maximized_ = false;
  bool platform_maximized_ = false;  // WS_MAXIMIZE at the last sync
  DesktopChange change_;
};

}  // namespace display::sdl
