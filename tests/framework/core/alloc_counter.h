// Counts the allocations this thread makes through the global operators while an
// AllocationCounter is alive, and can make the platform refuse them. Header-only so
// every framework test program can use it.
#pragma once

#include "framework/alloc_hook.h"

#include <cstddef>

class AllocationCounter {
 public:
  AllocationCounter() {
    state() = State{};
    _AfxSetAllocateHook(&OnAllocate);
    _AfxSetFreeHook(&OnFree);
    state().counting = true;
  }
  ~AllocationCounter() {
    state() = State{};
    _AfxSetAllocateHook(nullptr);
    _AfxSetFreeHook(nullptr);
  }
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  int allocations() const { return state().allocations; }
  int frees() const { return state().frees; }
  // Size of the most recent request, as the operator received it.
  std::size_t lastSize() const { return state().lastSize; }
  // While set, every attempt of this thread fails as if the heap were exhausted.
  void refuse(bool on) { state().refusing = on; }

 private:
  struct State {
    bool counting = false;
    bool refusing = false;
    int allocations = 0;
    int frees = 0;
    std::size_t lastSize = 0;
  };
  // Per thread: other threads of the test program allocate as they please.
  static State& state() {
    thread_local State current;
    return current;
  }
  static bool OnAllocate(std::size_t size) {
    State& s = state();
    if (!s.counting) return true;
    if (s.refusing) return false;
    ++s.allocations;
    s.lastSize = size;
    return true;
  }
  static void OnFree(void*) {
    State& s = state();
    if (s.counting) ++s.frees;
  }
};
