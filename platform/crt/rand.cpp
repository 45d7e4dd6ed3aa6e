// The runtime's random numbers. Benchmarks that draw block positions must see the same
// sequence on every machine, so this is the runtime's own generator, not the host's.
// The state is process-wide; a compare-exchange step keeps concurrent callers from
// drawing the same value twice.
#include "win32/crt.h"

#include <atomic>
#include <cstdint>

namespace msvcrt {
namespace {

constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;

std::atomic<std::uint32_t> state{1};

}  // namespace

// Hot: the disk test draws between two system calls, and this keeps it beside the file
// calls' code (see kernel/files.cpp).
[[gnu::hot]] int rand() {
  std::uint32_t current = state.load(std::memory_order_relaxed);
  std::uint32_t next;
  do {
    next = current * kMultiplier + kIncrement;
  } while (!state.compare_exchange_weak(current, next, std::memory_order_relaxed));
  return static_cast<int>((next >> 16) & static_cast<std::uint32_t>(RAND_MAXIMUM));
}

void srand(unsigned int seed) { state.store(seed, std::memory_order_relaxed); }

}  // namespace msvcrt
