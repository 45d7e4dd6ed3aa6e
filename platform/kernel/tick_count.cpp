// GetTickCount and the interlocked counters.
#include <atomic>
#include <chrono>

#include "win32.h"

DWORD WINAPI GetTickCount() {
  // Milliseconds of a monotonic clock, wrapping at 2^32 like the system's uptime count.
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<DWORD>(static_cast<unsigned long long>(milliseconds));
}

// The counters are plain LONGs in the caller's memory; atomic_ref makes the update one
// indivisible step (and wraps at the 32-bit limits without undefined behaviour).
LONG WINAPI InterlockedIncrement(LONG volatile* lpAddend) {
  std::atomic_ref<LONG> counter(*const_cast<LONG*>(lpAddend));
  return static_cast<LONG>(static_cast<ULONG>(counter.fetch_add(1)) + 1u);
}

LONG WINAPI InterlockedDecrement(LONG volatile* lpAddend) {
  std::atomic_ref<LONG> counter(*const_cast<LONG*>(lpAddend));
  return static_cast<LONG>(static_cast<ULONG>(counter.fetch_sub(1)) - 1u);
}
