// Threads. Each CreateThread runs the start routine on a detached std::thread that shares
// the thread object with the handle table, so the exit code stays readable through the
// handle after the thread ends and the thread outlives a handle closed early.
// ExitThread throws a private exception that the thread's entry catches: the frames in
// between are unwound properly, and no longjmp or pthread_exit crosses C++ frames.
#include <atomic>
#include <cstdlib>
#include <thread>
#include <unistd.h>

#include "kernel/kernel_object.h"

namespace win32::kernel {
namespace {

class ThreadObject : public KernelObject {
 public:
  explicit ThreadObject(DWORD id) : id_(id) {}

  DWORD wait(DWORD timeout_ms) override {
    std::unique_lock lock(mutex_);
    return wait_until_ready(lock, finished_changed_, timeout_ms, [this] { return finished_; }) ? WAIT_OBJECT_0
                                                                                                 : WAIT_TIMEOUT;
  }

  void finish(DWORD exit_code) {
    std::lock_guard lock(mutex_);
    exit_code_ = exit_code;
    finished_ = true;
    finished_changed_.notify_all();
  }

  DWORD exit_code() {
    std::lock_guard lock(mutex_);
    return finished_ ? exit_code_ : STILL_ACTIVE;
  }

  DWORD id() const { return id_; }

 private:
  const DWORD id_;
  std::mutex mutex_;
  std::condition_variable finished_changed_;
  bool finished_ = false;
  DWORD exit_code_ = 0;
};

// Carries ExitThread's code from the call to the thread's entry. Deliberately not a
// std::exception, so handlers for ordinary errors do not take it.
struct ThreadExitRequest {
  DWORD exit_code;
};

// Thread ids are small multiples of four, as Win32 hands them out, and never reused.
constexpr DWORD kFirstThreadId = 0x100;
constexpr DWORD kThreadIdStep = 4;
std::atomic<DWORD> next_thread_id{kFirstThreadId};

DWORD allocate_thread_id() { return next_thread_id.fetch_add(kThreadIdStep, std::memory_order_relaxed); }

thread_local DWORD current_thread_id = 0;
thread_local bool started_by_create_thread = false;

void run_thread(std::shared_ptr<ThreadObject> self, LPTHREAD_START_ROUTINE start, LPVOID parameter) {
  current_thread_id = self->id();
  started_by_create_thread = true;
  DWORD exit_code;
  try {
    exit_code = start(parameter);
  } catch (const ThreadExitRequest& request) {
    exit_code = request.exit_code;
  }
  self->finish(exit_code);
}

}  // namespace
}  // namespace win32::kernel

using namespace win32::kernel;

HANDLE WINAPI CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
                           LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags,
                           LPDWORD lpThreadId) {
  if (lpStartAddress == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Suspended creation needs ResumeThread, which this platform does not offer.
  if (dwCreationFlags & CREATE_SUSPENDED) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  auto thread = std::make_shared<ThreadObject>(allocate_thread_id());
  HANDLE handle = insert_kernel_object(thread);
  if (!handle) return nullptr;
  try {
    std::thread(run_thread, thread, lpStartAddress, lpParameter).detach();
  } catch (const std::system_error&) {
    kernel_handles().erase(reinterpret_cast<std::uintptr_t>(handle));
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (lpThreadId) *lpThreadId = thread->id();
  return handle;
}

VOID WINAPI ExitThread(DWORD dwExitCode) {
  // A thread this platform did not start (the main thread) has no entry to unwind to;
  // ending it ends the program, which is what ExitThread on a program's last thread does.
  if (!started_by_create_thread) std::exit(static_cast<int>(dwExitCode));
  throw ThreadExitRequest{dwExitCode};
}

BOOL WINAPI GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode) {
  auto thread = find_kernel_object<ThreadObject>(hThread);
  if (!thread) return FALSE;
  if (lpExitCode == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *lpExitCode = thread->exit_code();
  return TRUE;
}

DWORD WINAPI GetCurrentThreadId() {
  if (current_thread_id == 0) current_thread_id = allocate_thread_id();
  return current_thread_id;
}

DWORD WINAPI GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

VOID WINAPI Sleep(DWORD dwMilliseconds) {
  if (dwMilliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  if (dwMilliseconds == INFINITE) {
    for (;;) std::this_thread::sleep_for(std::chrono::hours(24));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
}
