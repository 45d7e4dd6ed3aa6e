// The block allocator behind the pointer map's associations.
#include "framework/plex.h"

#include <new>

// Elements start right after the header; it must keep them pointer-aligned.
static_assert(sizeof(CPlex) % alignof(void*) == 0);

CPlex* CPlex::Create(CPlex*& head, UINT count, UINT elementSize) {
  std::size_t bytes = sizeof(CPlex) + std::size_t{count} * std::size_t{elementSize};
  CPlex* block = new (::operator new(bytes)) CPlex{head, count, 0};
  head = block;
  return block;
}

void CPlex::FreeDataChain() {
  CPlex* block = this;
  while (block != nullptr) {
    CPlex* next = block->next;
    ::operator delete(block);
    block = next;
  }
}
