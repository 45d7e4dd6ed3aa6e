// The C runtime pieces a Win32 program gets from its own runtime library and that differ
// from the host's libc: the rand generator, the millisecond clock and the new-handler
// protocol behind operator new. They live in namespace msvcrt so that the host's rand,
// clock and malloc stay untouched for everything else in the process.
#pragma once

#include <cstddef>
#include <cstdint>

namespace msvcrt {

// The runtime's clock_t is a 32-bit long that counts milliseconds.
typedef std::int32_t clock_t;
inline constexpr clock_t CLOCKS_PER_SECOND = 1000;
inline constexpr int RAND_MAXIMUM = 0x7FFF;

// Linear congruential generator: state = state * 214013 + 2531011 (mod 2^32), result bits
// 16..30. One state per thread, starting at 1 as if the thread had called srand(1);
// srand sets only the calling thread's state.
int rand();
void srand(unsigned int seed);

// Milliseconds of wall time since the program started, not processor time. Returns
// (clock_t)-1 once the count no longer fits (after about 24.8 days).
clock_t clock();

// The allocation-failure handler: called with the requested size; a non-zero result
// retries the allocation, zero gives up. Returns the previous handler (null at start).
typedef int (*_PNH)(std::size_t);
_PNH _set_new_handler(_PNH handler);

// The allocator behind the global operator new: serves 0 bytes as 1, and on failure
// calls the installed handler until it returns 0 (then null) or the allocation succeeds.
// The handler may also leave by throwing; nothing here holds a lock meanwhile.
// Release the block with std::free.
void* malloc_with_new_handler(std::size_t size);

}  // namespace msvcrt
