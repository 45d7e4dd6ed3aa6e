// Kernel objects: files, threads and events share one handle table, as they share one
// handle space in Win32. CloseHandle and WaitForSingleObject work on any of them; the
// calls of one kind look the handle up as that kind and fail with ERROR_INVALID_HANDLE
// for anything else.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <type_traits>
#include <typeinfo>

#include "common/handle_table.h"
#include "win32.h"

namespace win32::kernel {

class KernelObject {
 public:
  virtual ~KernelObject() = default;

  // Blocks until the object is signalled or the time-out passes: WAIT_OBJECT_0 or
  // WAIT_TIMEOUT. Objects without a signalled state (files) count as signalled.
  virtual DWORD wait(DWORD timeout_ms) { return WAIT_OBJECT_0; }

  // CloseHandle has taken the handle out of the table. What Win32 ties to closing the
  // handle happens here; the object itself lives on while a call in flight holds it.
  virtual void closed() {}
};

HandleTable<KernelObject>& kernel_handles();

// Stores the object and returns its handle; null with ERROR_NOT_ENOUGH_MEMORY when the
// table is full.
HANDLE insert_kernel_object(std::shared_ptr<KernelObject> object);

// The live object of the given kind behind a handle, or null with ERROR_INVALID_HANDLE.
// File transfers look their handle up on every call, so the usual case (the handle holds
// exactly a T) costs a type comparison and no extra reference count; only other kinds
// take the general cast.
template <typename T>
std::shared_ptr<T> find_kernel_object(HANDLE handle) {
  std::shared_ptr<KernelObject> found = kernel_handles().find(reinterpret_cast<std::uintptr_t>(handle));
  std::shared_ptr<T> object;
  if constexpr (std::is_same_v<T, KernelObject>)
    object = std::move(found);
  else if (const KernelObject* held = found.get(); held && typeid(*held) == typeid(T))
    object = std::static_pointer_cast<T>(std::move(found));
  else
    object = std::dynamic_pointer_cast<T>(std::move(found));
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

// Waits on a condition variable until ready() holds or timeout_ms passes (INFINITE
// waits for good). Returns whether ready() held. REQUIRES: lock holds cv's mutex.
template <typename Ready>
bool wait_until_ready(std::unique_lock<std::mutex>& lock, std::condition_variable& cv, DWORD timeout_ms,
                      Ready ready) {
  if (timeout_ms == INFINITE) {
    cv.wait(lock, ready);
    return true;
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  return cv.wait_until(lock, deadline, ready);
}

}  // namespace win32::kernel
