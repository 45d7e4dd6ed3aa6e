#include "alloc_counter.h"

#include "framework/alloc_hook.h"

namespace {

thread_local bool counting = false;
thread_local bool refusing = false;
thread_local int allocationCount = 0;
thread_local int freeCount = 0;
thread_local std::size_t lastRequest = 0;

bool OnAllocate(std::size_t size) {
  if (!counting) return true;
  if (refusing) return false;
  ++allocationCount;
  lastRequest = size;
  return true;
}

void OnFree(void*) {
  if (counting) ++freeCount;
}

}  // namespace

AllocationCounter::AllocationCounter() {
  allocationCount = 0;
  freeCount = 0;
  lastRequest = 0;
  refusing = false;
  _AfxSetAllocateHook(&OnAllocate);
  _AfxSetFreeHook(&OnFree);
  counting = true;
}

AllocationCounter::~AllocationCounter() {
  counting = false;
  refusing = false;
  _AfxSetAllocateHook(nullptr);
  _AfxSetFreeHook(nullptr);
}

int AllocationCounter::allocations() const { return allocationCount; }
int AllocationCounter::frees() const { return freeCount; }
std::size_t AllocationCounter::lastSize() const { return lastRequest; }
void AllocationCounter::refuse(bool on) { refusing = on; }
