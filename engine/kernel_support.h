// What the benchmark kernels share: how a procedure call is kept a real call, and how
// memory that several threads may run over at once is read and written.
#pragma once

#include <atomic>

// A kernel procedure that must stay a call of its own: not inlined, and not analysed
// across the call either, so its work cannot be folded into the caller or dropped there.
#if defined(__clang__)
#define TORVEX_KERNEL_CALL [[gnu::noinline]]
#else
#define TORVEX_KERNEL_CALL [[gnu::noipa]]
#endif

// Relaxed atomic access to plain objects. On the machines we run on these are ordinary
// loads and stores; they only tell the compiler that other threads write the same place.
template <class T>
inline T RelaxedLoad(const T& place) {
  return std::atomic_ref<T>(const_cast<T&>(place)).load(std::memory_order_relaxed);
}

template <class T>
inline void RelaxedStore(T& place, T value) {
  std::atomic_ref<T>(place).store(value, std::memory_order_relaxed);
}
