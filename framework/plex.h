// Block allocator for small fixed-size records: a chain of blocks, each a header
// followed directly by its elements, obtained from the heap one block at a time and
// given back only all at once.
#pragma once

#include <win32.h>

struct CPlex {
  CPlex* next;
  UINT maxCount;
  UINT curCount;

  // Address just past the header, where the elements start.
  void* elements() { return this + 1; }

  // Allocates a block for count elements of elementSize bytes and links it at the
  // front of the chain that head names. Raises CMemoryException on failure.
  static CPlex* Create(CPlex*& head, UINT count, UINT elementSize);
  // Frees this block and every block after it.
  void FreeDataChain();
};
