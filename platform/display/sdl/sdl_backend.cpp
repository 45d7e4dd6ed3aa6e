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
  std::lock_guard lock(mutex_);
  auto it = pending_.find(window);
  if (it == pending_.end() || it->second.closed) return;
  // Clipped to the surface on the display thread, which reads its size under its lock.
  it->second.dirty.add(dirty, RECT{0, 0, gdi::Surface::kMaxSide, gdi::Surface::kMaxSide});
  it->second.changed = true;
  ++requested_;
  wake_locked();
}

void SdlBackend::flush() {
  std::unique_lock lock(mutex_);
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
