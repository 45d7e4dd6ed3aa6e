// Test-only: watch and refuse the allocations made through the global allocation
// operators. Production code never sets these; unset, they cost one relaxed load.
#pragma once

#include <cstddef>

// Called before each attempt to take memory from the platform. Returning false makes
// that attempt fail as if the platform had refused it, so the failure protocol runs.
using AfxAllocateHook = bool (*)(std::size_t size);
// Called for every non-null block given back.
using AfxFreeHook = void (*)(void* block);

// Both return the previous hook.
AfxAllocateHook _AfxSetAllocateHook(AfxAllocateHook hook);
AfxFreeHook _AfxSetFreeHook(AfxFreeHook hook);
