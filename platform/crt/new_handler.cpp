// The runtime's allocation-failure protocol. The framework installs a handler that raises
// its memory exception; a handler that returns non-zero asks for another attempt (after
// freeing something), zero makes the allocation give up and return null.
#include "win32/crt.h"

#include <atomic>
#include <cstdlib>

namespace msvcrt {
namespace {

std::atomic<_PNH> installed_handler{nullptr};

}  // namespace

_PNH _set_new_handler(_PNH handler) { return installed_handler.exchange(handler); }

void* malloc_with_new_handler(std::size_t size) {
  const std::size_t request = size == 0 ? 1 : size;
  for (;;) {
    if (void* block = std::malloc(request)) return block;
    _PNH handler = installed_handler.load();
    if (handler == nullptr || handler(size) == 0) return nullptr;
  }
}

}  // namespace msvcrt
