#include "kernel/recent_file.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace win32::kernel {
namespace {

// Each thread's entry with the reference that keeps its object alive. The reference is
// only changed under the registry's lock, so a closing thread can read it safely.
struct Keeper {
  RecentFile* entry = nullptr;
  std::shared_ptr<KernelObject> object;
};

struct Registry {
  std::mutex mutex;
  std::vector<Keeper*> keepers;
};

Registry& registry() {
  static auto* instance = new Registry;  // never destroyed: threads may outlive statics
  return *instance;
}

// Registered on a thread's first remembered file; lets go when the thread ends.
class ThreadKeeper {
 public:
  ThreadKeeper() {
    keeper_.entry = &recent_file;
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.keepers.push_back(&keeper_);
  }
  ~ThreadKeeper() {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    std::erase(r.keepers, &keeper_);
    keeper_.entry->handle.store(0, std::memory_order_release);
    keeper_.object.reset();
  }
  Keeper& keeper() { return keeper_; }

 private:
  Keeper keeper_;
};

thread_local ThreadKeeper thread_keeper;

}  // namespace

void remember_file(HANDLE handle, int descriptor, DWORD access, std::shared_ptr<KernelObject> object) {
  Keeper& keeper = thread_keeper.keeper();
  RecentFile& entry = recent_file;
  std::shared_ptr<KernelObject> previous;
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    // The handle may have been closed since this thread found it in the table, and the
    // close may already have forgotten the object everywhere: findable now, the closed
    // handle would go on working on this thread for good. The reference is kept all the
    // same, because the call that looked the file up is about to use its descriptor. A
    // close that takes the handle out after this check forgets the entry once it gets the lock.
    const bool still_open = kernel_handles().find(reinterpret_cast<std::uintptr_t>(handle)).get() == object.get();
    entry.handle.store(0, std::memory_order_relaxed);
    entry.descriptor = descriptor;
    entry.access = access;
    entry.object = object.get();
    previous = std::exchange(keeper.object, std::move(object));
    if (still_open) entry.handle.store(reinterpret_cast<std::uintptr_t>(handle), std::memory_order_release);
  }
  // The previous file may close its descriptor here, outside the lock.
}

void forget_file(const KernelObject* object) {
  std::shared_ptr<KernelObject> own;
  {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (Keeper* keeper : r.keepers)
      if (keeper->object.get() == object) keeper->entry->handle.store(0, std::memory_order_release);
    // Another thread's reference stays until its next look-up: it may be in a call on
    // the descriptor right now. This thread's own is not in use.
    if (recent_file.object == object) {
      recent_file.object = nullptr;
      own = std::move(thread_keeper.keeper().object);
    }
  }
}

}  // namespace win32::kernel
