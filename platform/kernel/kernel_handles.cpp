// The kernel handle table and the calls that work on every kernel object.
#include "kernel/kernel_object.h"

namespace win32::kernel {

HandleTable<KernelObject>& kernel_handles() {
  // Never destroyed: detached threads may still close handles while the process exits.
  static auto* table = new HandleTable<KernelObject>(HandleFamily::Kernel);
  return *table;
}

HANDLE insert_kernel_object(std::shared_ptr<KernelObject> object) {
  std::uintptr_t value = kernel_handles().insert(std::move(object));
  if (value == 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return reinterpret_cast<HANDLE>(value);
}

}  // namespace win32::kernel

using namespace win32::kernel;

BOOL WINAPI CloseHandle(HANDLE hObject) {
  // The object itself goes when its last user lets go: a running thread keeps its own.
  std::shared_ptr<KernelObject> object = kernel_handles().erase(reinterpret_cast<std::uintptr_t>(hObject));
  if (!object) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  object->closed();
  return TRUE;
}

DWORD WINAPI WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) {
  auto object = find_kernel_object<KernelObject>(hHandle);
  if (!object) return WAIT_FAILED;
  return object->wait(dwMilliseconds);
}
