// The msvcrt namespace on Windows. Elsewhere the platform supplies the runtime pieces
// that the host's libc gets different (see crt.h); on Windows the program's runtime is
// the real one, so rand, srand and clock are its own. Its operator-new handler is not
// reachable from this compiler (the runtime exports it under another compiler's name
// mangling), so the new-handler protocol is kept here, with the same contract.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <ctime>

namespace msvcrt {

typedef ::clock_t clock_t;
inline constexpr clock_t CLOCKS_PER_SECOND = CLOCKS_PER_SEC;
inline constexpr int RAND_MAXIMUM = RAND_MAX;

// The runtime's generator; its state belongs to each thread.
inline int rand() { return std::rand(); }
inline void srand(unsigned int seed) { std::srand(seed); }

// Milliseconds of wall time since the program started.
inline clock_t clock() { return std::clock(); }

typedef int (*_PNH)(std::size_t);

namespace detail {
inline std::atomic<_PNH> installed_new_handler{nullptr};
}  // namespace detail

// Returns the previous handler (null at start).
inline _PNH _set_new_handler(_PNH handler) { return detail::installed_new_handler.exchange(handler); }

// Serves 0 bytes as 1; on failure calls the handler until it returns 0 (then null) or
// the allocation succeeds. Release the block with std::free.
inline void* malloc_with_new_handler(std::size_t size) {
  const std::size_t request = size == 0 ? 1 : size;
  for (;;) {
    if (void* block = std::malloc(request)) return block;
    _PNH handler = detail::installed_new_handler.load();
    if (handler == nullptr || handler(size) == 0) return nullptr;
  }
}

}  // namespace msvcrt
