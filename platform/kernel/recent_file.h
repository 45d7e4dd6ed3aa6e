// The file each thread used last. Every transfer looks its handle up, and the handle
// table's look-up takes a lock and a reference count; on a machine where each system
// call also empties the address caches, every further page a call touches costs about
// as much again. So a thread remembers its last file's descriptor and access in its own
// storage, and a call on that handle touches nothing else.
//
// An entry is good until its handle is closed: closing a file forgets it in every
// thread's entry (a handle value is never given out again). Each entry also keeps a
// reference to the object, so a descriptor a thread is using stays open even when
// another thread closes the handle at that moment.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "kernel/kernel_object.h"

namespace win32::kernel {

struct RecentFile {
  std::atomic<std::uintptr_t> handle{0};  // 0: nothing remembered; cleared by any thread
  int descriptor = -1;                    // the rest is written and read by its own thread
  DWORD access = 0;
  KernelObject* object = nullptr;
};

// Trivial, so reaching it costs no initialisation check; the reference it implies is
// held elsewhere (see remember_file).
inline thread_local constinit RecentFile recent_file;

// The remembered file when it is `handle`'s, else null.
inline const RecentFile* recall_file(HANDLE handle) {
  RecentFile& recent = recent_file;
  auto value = reinterpret_cast<std::uintptr_t>(handle);
  return value != 0 && recent.handle.load(std::memory_order_acquire) == value ? &recent : nullptr;
}

// Makes `object` (open under `handle`) this thread's remembered file. When the handle has
// been closed since it was looked up, the reference is kept until this thread's next look-up
// but the entry finds nothing.
void remember_file(HANDLE handle, int descriptor, DWORD access, std::shared_ptr<KernelObject> object);

// The object's handle was closed: no thread may find it by its remembered entry again.
// The closing thread also lets go of its reference, so the descriptor can close at once.
void forget_file(const KernelObject* object);

}  // namespace win32::kernel
