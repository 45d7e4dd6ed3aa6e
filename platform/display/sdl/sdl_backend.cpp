#include "display/sdl/sdl_backend.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "display/sdl/display_thread.h"
#include "user/focus.h"
#include "user/message_queue.h"
#include "user/user_lock.h"
#include "user/window_state.h"
#include "user/window_tree.h"

namespace display::sdl {
namespace {

using namespace win32::user;

}  // namespace

std::unique_ptr<SdlBackend> SdlBackend::start(std::string* why) {
  std::unique_ptr<SdlBackend> backend(new SdlBackend);
  backend->thread_ = std::make_unique<DisplayThread>(*backend);
  if (!backend->thread_->start(why)) return nullptr;
  return backend;
}

SdlBackend::~SdlBackend() { shutdown(); }

void SdlBackend::shutdown() {
  if (thread_) thread_->stop();
}

void SdlBackend::wake_locked() {
  if (wake_sent_) return;
  wake_sent_ = true;
  thread_->wake();
}

void SdlBackend::open_surface(HWND window, std::shared_ptr<gdi::Surface> surface) {
  std::lock_guard lock(mutex_);
  Pending& p = pending_[window];
  p = Pending{};
  p.surface = std::move(surface);
}

void SdlBackend::close_surface(HWND window) {
  std::lock_guard lock(mutex_);
  auto it = pending_.find(window);
  if (it == pending_.end()) return;
  it->second.closed = true;
  it->second.changed = true;
  ++requested_;
  wake_locked();
}

void SdlBackend::present(HWND window, const RECT& dirty) {
  if (present_directly(window, dirty)) return;
  std::lock_guard lock(mutex_);
  auto it = pending_.find(window);
  if (it == pending_.end() || it->second.closed) return;
  // Clipped to the surface on the display thread, which reads its size under its lock.
  it->second.dirty.add(dirty, RECT{0, 0, gdi::Surface::kMaxSide, gdi::Surface::kMaxSide});
  it->second.changed = true;
  ++requested_;
  wake_locked();
}

// Synchronous like a plain upload-and-present loop, and without waking anyone: a handed-off
// present costs two thread wakes (there and back), more than the put of a status line.
// The display thread lends a window only while the facts it showed are still the
// window's, so a present that also moved, sized, hid or renamed the window is its work.
bool SdlBackend::present_directly(HWND window, const RECT& dirty) {
  Pending::Lent lent;
  std::shared_ptr<gdi::Surface> surface;
  {
    std::lock_guard lock(mutex_);
    if (!direct_) return false;
    auto it = pending_.find(window);
    if (it == pending_.end() || it->second.changed || it->second.closed || !it->second.lent.xid) return false;
    lent = it->second.lent;
    surface = it->second.surface;
  }
  if (!same_facts(read_window_facts(window), lent.facts)) return false;
  std::lock_guard put(put_mutex_);
  DirectPut* direct = nullptr;
  int factor = 1;
  {
    // Still lent, and lent the same way: the display thread did not take the window
    // meanwhile (it may have placed or destroyed it since).
    std::lock_guard lock(mutex_);
    auto it = pending_.find(window);
    if (it == pending_.end() || it->second.changed || it->second.lent.generation != lent.generation || !direct_)
      return false;
    direct = direct_.get();
    factor = scale_;
    ++direct_presents_;
  }
  std::lock_guard pixels(surface->mutex());
  RECT clipped{std::max<LONG>(0, dirty.left), std::max<LONG>(0, dirty.top), std::min<LONG>(surface->width(), dirty.right),
               std::min<LONG>(surface->height(), dirty.bottom)};
  if (clipped.left >= clipped.right || clipped.top >= clipped.bottom) return true;  // nothing on the window changed
  std::vector<PutRect> rects{
      PutRect{clipped.left, clipped.top, clipped.right - clipped.left, clipped.bottom - clipped.top}};
  direct->put(lent.xid, PutSource{surface->row(0), surface->width(), surface->width(), surface->height()}, rects, factor);
  return true;
}

std::uint64_t SdlBackend::direct_presents() const {
  std::lock_guard lock(mutex_);
  return direct_presents_;
}

void SdlBackend::flush() {
  std::unique_lock lock(mutex_);
  // Every hand-off so far was carried out by a pass that saw it; direct presents are
  // on the desktop when they return.
  if (done_ == requested_) return;
  std::uint64_t target = requested_;
  ++requested_;  // a pass that starts after now sees at least this request
  wake_locked();
  flushed_.wait(lock, [&] { return done_ > target; });
}

int SdlBackend::scale() const {
  std::lock_guard lock(mutex_);
  return scale_;
}

SIZE SdlBackend::desktop_size() const {
  std::lock_guard lock(mutex_);
  return desktop_;
}

void SdlBackend::set_cursor(HCURSOR cursor) {
  static const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  std::lock_guard lock(mutex_);
  int want = !cursor ? 2 : cursor == wait ? 1 : 0;
  if (want == cursor_) return;
  cursor_ = want;
  wake_locked();
}

void SdlBackend::beep(UINT) {
  std::lock_guard lock(mutex_);
  ++beeps_;
  wake_locked();
}

void SdlBackend::post_chore(const Chore& chore) {
  {
    std::lock_guard lock(mutex_);
    chores_.push_back(chore);
  }
  UserLock lock(user_lock());
  if (Window* w = window_locked(chore.hwnd))
    if (auto queue = queue_of_thread_locked(w->thread_id)) queue->signal();
}

void SdlBackend::pump_input() {
  const DWORD me = GetCurrentThreadId();
  std::vector<Chore> mine;
  {
    std::lock_guard lock(mutex_);
    if (chores_.empty()) return;
    for (auto it = chores_.begin(); it != chores_.end();) {
      DWORD owner = GetWindowThreadProcessId(it->hwnd, nullptr);
      if (owner == me || owner == 0) {
        if (owner == me) mine.push_back(*it);
        it = chores_.erase(it);
      } else {
        ++it;
      }
    }
  }
  for (const Chore& c : mine) run_chore(c);
}

void SdlBackend::run_chore(const Chore& c) {
  switch (c.kind) {
    case Chore::Kind::Place: {
      RECT now;
      if (!GetWindowRect(c.hwnd, &now) || IsIconic(c.hwnd)) return;
      if (EqualRect(&now, &c.rect)) return;
      SetWindowPos(c.hwnd, nullptr, c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return;
    }
    case Chore::Kind::Minimize:
      if (!IsIconic(c.hwnd)) ShowWindow(c.hwnd, SW_MINIMIZE);
      return;
    case Chore::Kind::Restore:
      if (IsIconic(c.hwnd)) ShowWindow(c.hwnd, SW_RESTORE);
      return;
    case Chore::Kind::Activate:
      if (IsWindowVisible(c.hwnd) && IsWindowEnabled(c.hwnd) && GetActiveWindow() != c.hwnd) activate(c.hwnd, WA_ACTIVE);
      return;
    case Chore::Kind::Deactivate:
      if (GetActiveWindow()) activate(nullptr, WA_INACTIVE);
      return;
    case Chore::Kind::Maximize:
    case Chore::Kind::Unmaximize:
      take_desktop_maximized(c.hwnd, c.kind == Chore::Kind::Maximize, c.rect, c.restore);
      return;
  }
}

}  // namespace display::sdl
