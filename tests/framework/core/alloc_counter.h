// Counts the allocations this thread makes through the global operators while an
// AllocationCounter is alive, and can make the platform refuse them.
#pragma once

#include <cstddef>

class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  AllocationCounter(const AllocationCounter&) = delete;
  AllocationCounter& operator=(const AllocationCounter&) = delete;

  int allocations() const;
  int frees() const;
  // Size of the most recent request, as the operator received it.
  std::size_t lastSize() const;
  // While set, every attempt of this thread fails as if the heap were exhausted.
  void refuse(bool on);
};
