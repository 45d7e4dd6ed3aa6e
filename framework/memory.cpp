// The global allocation operators and the allocation-failure hook. Within the
// framework an allocation either succeeds or raises CMemoryException: the handler
// installed at start-up raises instead of returning. Everything else in the process
// (the C++ library, test frameworks) shares these operators, so they keep the
// standard contracts: a zero-byte request gets a unique block, and a throwing form
// whose failure nobody handles throws std::bad_alloc rather than returning null.
#include "framework/alloc_hook.h"
#include "framework/except.h"

#include <win32.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<AfxAllocateHook> allocateHook{nullptr};
std::atomic<AfxFreeHook> freeHook{nullptr};

// A test refused this attempt: the same protocol as a platform refusal. Reading the
// handler means swapping it out and back, which is sound only because tests install
// hooks while nothing else changes the handler.
bool RefusedAttemptShouldRetry(std::size_t size) {
  msvcrt::_PNH handler = msvcrt::_set_new_handler(nullptr);
  msvcrt::_set_new_handler(handler);
  return handler != nullptr && handler(size) != 0;
}

// The runtime allocator's failure protocol; null when the handler gives up.
void* AllocateWithHandler(std::size_t size) {
  for (;;) {
    AfxAllocateHook hook = allocateHook.load(std::memory_order_relaxed);
    if (hook == nullptr || hook(size)) return msvcrt::malloc_with_new_handler(size);
    if (!RefusedAttemptShouldRetry(size)) return nullptr;
  }
}

// Without the handler: the nothrow forms promise not to throw, and the framework's
// handler raises.
void* AllocateQuietly(std::size_t size) noexcept {
  AfxAllocateHook hook = allocateHook.load(std::memory_order_relaxed);
  if (hook != nullptr && !hook(size)) return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

void Release(void* block) noexcept {
  if (block == nullptr) return;
  AfxFreeHook hook = freeHook.load(std::memory_order_relaxed);
  if (hook != nullptr) hook(block);
  std::free(block);
}

void* AllocateOrThrow(std::size_t size) {
  void* block = AllocateWithHandler(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

AfxAllocateHook _AfxSetAllocateHook(AfxAllocateHook hook) { return allocateHook.exchange(hook); }
AfxFreeHook _AfxSetFreeHook(AfxFreeHook hook) { return freeHook.exchange(hook); }

int AfxNewHandler(std::size_t) {
  AfxThrowMemoryException();
  return 0;
}

BOOL AfxInitialize() {
  msvcrt::_set_new_handler(&AfxNewHandler);
  return TRUE;
}

// Kept in a flag so the installation runs once, during static initialisation. The
// object unit refers to it, which pulls these operators into every program that uses
// a framework class.
extern const BOOL _afxInitialized;
const BOOL _afxInitialized = AfxInitialize();

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateQuietly(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return AllocateQuietly(size);
}

void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
