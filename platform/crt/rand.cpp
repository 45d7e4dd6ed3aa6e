// The runtime's random numbers. Benchmarks that draw block positions must see the same
// sequence on every machine, so this is the runtime's own generator, not the host's.
// Each thread has its own state, starting at 1 as if it had called srand(1): a worker's
// draws never move the GUI thread's sequence, and a draw needs no atomic step.
#include "win32/crt.h"

#include <cstdint>

namespace msvcrt {
namespace {

constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;

thread_local std::uint32_t state = 1;

}  // namespace

// Hot: the disk test draws between two system calls, and this keeps it beside the file
// calls' code (see kernel/files.cpp).
[[gnu::hot]] int rand() {
  state = state * kMultiplier + kIncrement;  // unsigned: wraps modulo 2^32
  return static_cast<int>((state >> 16) & static_cast<std::uint32_t>(RAND_MAXIMUM));
}

void srand(unsigned int seed) { state = seed; }

}  // namespace msvcrt
