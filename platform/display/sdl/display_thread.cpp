#include "display/sdl/display_thread.h"

#include <SDL.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "display/sdl/sdl_keys.h"
#include "display/sdl/x_connection.h"
#include "user/input.h"

namespace display::sdl {
namespace {

using namespace win32::user;

constexpr int kIdleWaitMs = 100;
constexpr auto kFocusGrace = std::chrono::milliseconds(150);
// Boxes owned by boxes: deeper chains than this are not followed.
constexpr int kMaxOwnerChain = 8;

int button_index(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT: return 0;
    case SDL_BUTTON_RIGHT: return 1;
    case SDL_BUTTON_MIDDLE: return 2;
    default: return -1;
  }
}

}  // namespace

DisplayThread::~DisplayThread() { stop(); }

bool DisplayThread::start(std::string* why) {
  std::promise<std::string> started;
  auto result = started.get_future();
  thread_ = std::thread([this, p = std::move(started)]() mutable { run(std::move(p)); });
  std::string error = result.get();
  if (error.empty()) return true;
  thread_.join();
  if (why) *why = error;
  return false;
}

void DisplayThread::wake() {
  wake_poll_.wake();
  if (sdl_wakes_) {
    SDL_Event e{};
    e.type = wake_event_;
    SDL_PushEvent(&e);
  }
}

void DisplayThread::stop() {
  if (!thread_.joinable()) return;
  // SDL ends the process from this thread when the X server goes away; the exit handlers
  // then land here, where there is nothing to wait for.
  if (std::this_thread::get_id() == thread_.get_id()) {
    stopping_ = true;
    return;
  }
  stopping_ = true;
  wake();
  thread_.join();
}

void DisplayThread::run(std::promise<std::string> started) {
  // The program decides what Ctrl+C does, not SDL; a click on a window behind is a click,
  // as on Windows, not only a focus change.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Window surfaces stay plain shared-memory images, put rectangle by rectangle. SDL's
  // default would make each a texture of a GL renderer: on a machine without a GPU that
  // loads a software GL (a few hundred milliseconds before the first window shows) and
  // every present, however small, redraws and swaps the whole window.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::string error = SDL_GetError();
    started.set_value(error.empty() ? "SDL video did not start" : error);
    return;
  }
  wake_event_ = SDL_RegisterEvents(1);
  float dpi = 0;
  if (SDL_GetDisplayDPI(0, &dpi, nullptr, nullptr) != 0) dpi = 0;
  scale_ = Scale{choose_scale(std::getenv("TORVEX_SCALE"), dpi)};
  SDL_Rect bounds{};
  if (SDL_GetDisplayBounds(0, &bounds) != 0) bounds = SDL_Rect{};
  {
    std::lock_guard lock(backend_.mutex_);
    backend_.scale_ = scale_.factor;
    backend_.desktop_ = SIZE{bounds.w / scale_.factor, bounds.h / scale_.factor};
  }
  started.set_value("");
  while (!stopping_) {
    service();
    check_focus();
    // The last poll pumped the connection dry, so the wait below sleeps only when
    // nothing is waiting to be handled.
    SDL_Event event;
    while (SDL_PollEvent(&event)) handle(event);
    report_desktop_changes();
    wait();
  }
  {
    std::lock_guard lock(backend_.mutex_);
    for (auto& [hwnd, p] : backend_.pending_) p.lent = {};
  }
  windows_.clear();  // each waits for a put already under way
  std::unique_ptr<DirectPut> direct;
  {
    std::lock_guard put(backend_.put_mutex_);
    std::lock_guard lock(backend_.mutex_);
    direct = std::move(backend_.direct_);
  }
  direct.reset();
  SDL_Quit();
}

// Lends a window that is on the desktop to the presenting threads, with the facts it
// shows. Their own connection is opened for the first window shown, not before: the first
// window is not kept waiting for it.
void DisplayThread::lend(DesktopWindow& w) {
  if (!w.on_desktop() || !w.x_window()) return;
  if (!direct_tried_) {
    direct_tried_ = true;
    if (auto direct = DirectPut::open(w.sdl_window())) {
      std::lock_guard lock(backend_.mutex_);
      backend_.direct_ = std::move(direct);
    }
  }
  DirectPut* direct = backend_.direct_.get();  // set and cleared on this thread only
  if (!direct) return;
  {
    std::lock_guard put(backend_.put_mutex_);
    if (w.direct_suits() < 0) w.direct_suits() = direct->suits(w.x_window()) ? 1 : 0;
    const RECT& r = w.facts().rect;
    if (!w.direct_suits() || !direct->reserve(scale_.to_desktop(r.right - r.left), scale_.to_desktop(r.bottom - r.top)))
      return;
  }
  std::lock_guard lock(backend_.mutex_);
  auto it = backend_.pending_.find(w.hwnd());
  if (it == backend_.pending_.end() || it->second.closed) return;
  it->second.lent = SdlBackend::Pending::Lent{w.x_window(), w.facts(), ++backend_.lend_generation_};
}

SDL_Window* DisplayThread::any_window() const {
  for (auto& [hwnd, w] : windows_)
    if (w->sdl_window()) return w->sdl_window();
  return nullptr;
}

// Returns after a wake (taken before service() reads what was asked), input from the
// desktop, or the idle timeout that lets check_focus() see a focus that stayed away.
void DisplayThread::wait() {
  if (!connection_known_) {
    if (SDL_Window* window = any_window()) {
      connection_known_ = true;
      int fd = x_connection_fd(window);
      if (fd >= 0)
        wake_poll_.watch(fd);
      else
        sdl_wakes_ = true;
    }
  }
  if (sdl_wakes_) {
    // A wake written before sdl_wakes_ was seen is in the eventfd; every later one is
    // also an SDL event.
    if (!wake_poll_.take()) SDL_WaitEventTimeout(nullptr, kIdleWaitMs);
    return;
  }
  if (SDL_Window* window = any_window(); window && x_input_pending(window)) return;
  wake_poll_.wait(kIdleWaitMs);
}

DesktopWindow* DisplayThread::by_id(std::uint32_t id) {
  for (auto& [hwnd, w] : windows_)
    if (w->id() == id) return w.get();
  return nullptr;
}

POINT DisplayThread::to_screen(const DesktopWindow& w, int x, int y) const {
  POINT origin = w.desktop_origin();
  return POINT{scale_.to_platform(origin.x + x), scale_.to_platform(origin.y + y)};
}

void DisplayThread::handle(SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      if (DesktopWindow* w = by_id(event.motion.windowID))
        input_mouse_move(to_screen(*w, event.motion.x, event.motion.y));
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      int button = button_index(event.button.button);
      DesktopWindow* w = by_id(event.button.windowID);
      if (button < 0 || !w) break;
      bool down = event.type == SDL_MOUSEBUTTONDOWN;
      input_mouse_move(to_screen(*w, event.button.x, event.button.y));
      // Held buttons keep the mouse ours outside the window, so a drag can end anywhere.
      buttons_down_ += down ? 1 : -1;
      if (buttons_down_ < 0) buttons_down_ = 0;
      SDL_CaptureMouse(buttons_down_ > 0 ? SDL_TRUE : SDL_FALSE);
      input_mouse_button(button, down);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      UINT vk = virtual_key(event.key.keysym.sym, event.key.keysym.scancode);
      if (!vk) break;
      if (event.type == SDL_KEYUP) {
        input_key(vk, false);
        break;
      }
      // The layout's character arrives as the text event right behind the key.
      int typed = -1;
      SDL_Event next;
      if (SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 && next.type == SDL_TEXTINPUT) {
        SDL_PeepEvents(&next, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
        typed = static_cast<unsigned char>(ansi_character(next.text.text));
      }
      input_key(vk, true, typed);
      break;
    }
    case SDL_MOUSEWHEEL: {
      // Whole notches from a wheel, fractions from a touchpad; WHEEL_DELTA per notch.
      float notches = event.wheel.preciseY != 0.0f ? event.wheel.preciseY : static_cast<float>(event.wheel.y);
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
      input_mouse_wheel(static_cast<int>(std::lround(notches * WHEEL_DELTA)));
      break;
    }
    case SDL_WINDOWEVENT:
      handle_window_event(event);
      break;
    default:
      break;  // SDL_QUIT among them: closing is the program's decision (WM_CLOSE)
  }
}

void DisplayThread::handle_window_event(const SDL_Event& event) {
  DesktopWindow* w = by_id(event.window.windowID);
  if (!w) return;
  using Chore = SdlBackend::Chore;
  const HWND hwnd = w->hwnd();
  DesktopWindow::DesktopChange& change = w->desktop_change();
  switch (event.window.event) {
    case SDL_WINDOWEVENT_MOVED:
      if (w->desktop_moved(event.window.data1, event.window.data2)) change.geometry = true;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (w->desktop_resized(event.window.data1, event.window.data2)) change.geometry = true;
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      backend_.post_chore(Chore{Chore::Kind::Minimize, hwnd, {}, {}});
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      if (!w->desktop_maximized()) {
        w->set_desktop_maximized(true);
        change.maximized = true;
        change.restored = false;
      }
      break;
    case SDL_WINDOWEVENT_RESTORED:
      backend_.post_chore(Chore{Chore::Kind::Restore, hwnd, {}, {}});
      if (w->desktop_maximized()) {
        w->set_desktop_maximized(false);
        change.restored = !change.maximized;
        change.maximized = false;
      }
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      w->refresh();
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      focus_lost_ = false;
      if (!w->is_menu()) backend_.post_chore(Chore{Chore::Kind::Activate, hwnd, {}, {}});
      if (!w->facts().enabled) raise_enabled_popup(*w);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      focus_lost_ = true;
      focus_lost_at_ = std::chrono::steady_clock::now();
      break;
    case SDL_WINDOWEVENT_CLOSE:
      PostMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    default:
      break;
  }
}

// Tells each window's thread what the desktop did to it during the last batch of events.
void DisplayThread::report_desktop_changes() {
  using Chore = SdlBackend::Chore;
  for (auto& [hwnd, w] : windows_) {
    DesktopWindow::DesktopChange change = w->desktop_change();
    w->desktop_change() = {};
    if (!change.geometry && !change.maximized && !change.restored) continue;
    POINT o = w->desktop_origin();
    int width = 0, height = 0;
    SDL_GetWindowSize(w->sdl_window(), &width, &height);
    RECT r{scale_.to_platform(o.x), scale_.to_platform(o.y), 0, 0};
    r.right = r.left + width / scale_.factor;
    r.bottom = r.top + height / scale_.factor;
    // Before the program hears of the new size, its rectangle is the one to go back to.
    Chore::Kind kind = change.maximized ? Chore::Kind::Maximize : change.restored ? Chore::Kind::Unmaximize : Chore::Kind::Place;
    backend_.post_chore(Chore{kind, hwnd, r, w->facts().rect});
  }
}

// A disabled window is not activated on Windows: its enabled popup (the modal box it
// owns) comes to the front instead. The desktop gave the focus to the disabled owner, so
// the box is raised and takes it.
void DisplayThread::raise_enabled_popup(const DesktopWindow& owner) {
  const DesktopWindow* at = &owner;
  for (int depth = 0; depth < kMaxOwnerChain && !at->facts().enabled; ++depth) {
    const DesktopWindow* popup = nullptr;
    for (auto& [hwnd, w] : windows_) {
      const WindowFacts& f = w->facts();
      if (f.owner == at->hwnd() && w->sdl_window() && f.visible && !f.minimized && !w->is_menu()) popup = w.get();
    }
    if (!popup) return;
    at = popup;
  }
  if (at == &owner || !at->facts().enabled) return;
  SDL_RaiseWindow(at->sdl_window());
  SDL_SetWindowInputFocus(at->sdl_window());
}

void DisplayThread::check_focus() {
  if (!focus_lost_ || std::chrono::steady_clock::now() - focus_lost_at_ < kFocusGrace) return;
  focus_lost_ = false;
  if (SDL_GetKeyboardFocus()) return;
  for (auto& [hwnd, w] : windows_) {
    if (!w->is_menu() && w->sdl_window()) {
      backend_.post_chore(SdlBackend::Chore{SdlBackend::Chore::Kind::Deactivate, hwnd, {}, {}});
      break;
    }
  }
}

void DisplayThread::service() {
  struct Work {
    HWND hwnd;
    std::shared_ptr<gdi::Surface> surface;
    std::vector<RECT> dirty;
    bool closed;
  };
  std::vector<Work> work;
  std::uint64_t seen;
  int cursor, beeps;
  {
    std::lock_guard lock(backend_.mutex_);
    backend_.wake_sent_ = false;
    seen = backend_.requested_;
    for (auto it = backend_.pending_.begin(); it != backend_.pending_.end();) {
      SdlBackend::Pending& p = it->second;
      if (p.changed) {
        work.push_back(Work{it->first, p.surface, p.dirty.take(), p.closed});
        p.changed = false;
        p.lent = {};  // placing, showing and hiding it are ours now
      }
      it = p.closed ? backend_.pending_.erase(it) : std::next(it);
    }
    cursor = backend_.cursor_;
    beeps = backend_.beeps_;
    backend_.beeps_ = 0;
  }
  for (Work& item : work) {
    if (item.closed) {
      windows_.erase(item.hwnd);
      continue;
    }
    auto& w = windows_[item.hwnd];
    if (!w) w = std::make_unique<DesktopWindow>(item.hwnd, item.surface, scale_, backend_.put_mutex_);
    WindowFacts facts = read_window_facts(item.hwnd);
    SDL_Window* owner = nullptr;
    if (facts.owner) {
      auto it = windows_.find(facts.owner);
      if (it != windows_.end()) owner = it->second->sdl_window();
    }
    w->sync(facts, item.dirty, owner);
    lend(*w);
  }
  if (cursor != cursor_shown_) {
    cursor_shown_ = cursor;
    SDL_ShowCursor(cursor == 2 ? SDL_DISABLE : SDL_ENABLE);
    if (cursor != 2) {
      // Each made when first shown: a theme's wait cursor is an animation of megabytes,
      // whose reading must not hold up the first window (it did, by some 30 ms).
      SDL_Cursor*& made = cursor == 1 ? wait_cursor_ : arrow_cursor_;
      if (!made) made = SDL_CreateSystemCursor(cursor == 1 ? SDL_SYSTEM_CURSOR_WAIT : SDL_SYSTEM_CURSOR_ARROW);
      if (made) SDL_SetCursor(made);
    }
  }
  if (beeps > 0) {
    SDL_Window* any = windows_.empty() ? nullptr : windows_.begin()->second->sdl_window();
    beeper_.beep(any);
  }
  {
    std::lock_guard lock(backend_.mutex_);
    backend_.done_ = seen;
  }
  backend_.flushed_.notify_all();
}

}  // namespace display::sdl
