// Events: a signalled flag under a mutex. A manual-reset event stays signalled and
// releases every waiter at once (the benchmark drivers start up to 63 workers with one);
// an automatic-reset event lets exactly one waiter through and clears itself.
#include <map>
#include <string>

#include "kernel/kernel_object.h"

namespace win32::kernel {
namespace {

class EventObject : public KernelObject {
 public:
  EventObject(bool manual_reset, bool signalled) : manual_reset_(manual_reset), signalled_(signalled) {}

  DWORD wait(DWORD timeout_ms) override {
    std::unique_lock lock(mutex_);
    if (!wait_until_ready(lock, changed_, timeout_ms, [this] { return signalled_; })) return WAIT_TIMEOUT;
    if (!manual_reset_) signalled_ = false;
    return WAIT_OBJECT_0;
  }

  void set() {
    std::lock_guard lock(mutex_);
    signalled_ = true;
    if (manual_reset_)
      changed_.notify_all();
    else
      changed_.notify_one();
  }

  void reset() {
    std::lock_guard lock(mutex_);
    signalled_ = false;
  }

 private:
  const bool manual_reset_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool signalled_;
};

// Named events are shared: creating one with a name already in use opens the same event
// (ERROR_ALREADY_EXISTS). The registry only observes; the handles own the events.
struct NamedEvents {
  std::mutex mutex;
  std::map<std::string, std::weak_ptr<EventObject>> by_name;
};

NamedEvents& named_events() {
  static auto* registry = new NamedEvents;
  return *registry;
}

}  // namespace
}  // namespace win32::kernel

using namespace win32::kernel;

HANDLE WINAPI CreateEventA(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState,
                           LPCSTR lpName) {
  if (lpName == nullptr || *lpName == '\0') {
    SetLastError(NO_ERROR);
    return insert_kernel_object(std::make_shared<EventObject>(bManualReset != FALSE, bInitialState != FALSE));
  }
  NamedEvents& registry = named_events();
  std::lock_guard lock(registry.mutex);
  std::weak_ptr<EventObject>& slot = registry.by_name[lpName];
  if (auto existing = slot.lock()) {
    HANDLE handle = insert_kernel_object(existing);
    if (handle) SetLastError(ERROR_ALREADY_EXISTS);
    return handle;
  }
  auto event = std::make_shared<EventObject>(bManualReset != FALSE, bInitialState != FALSE);
  slot = event;
  SetLastError(NO_ERROR);
  return insert_kernel_object(event);
}

BOOL WINAPI SetEvent(HANDLE hEvent) {
  auto event = find_kernel_object<EventObject>(hEvent);
  if (!event) return FALSE;
  event->set();
  return TRUE;
}

BOOL WINAPI ResetEvent(HANDLE hEvent) {
  auto event = find_kernel_object<EventObject>(hEvent);
  if (!event) return FALSE;
  event->reset();
  return TRUE;
}
