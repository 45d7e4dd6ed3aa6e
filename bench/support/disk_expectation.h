// What a disk test of a given size must move, worked out from the runtime's random
// sequence: the benches set that sequence to a known state before a run, so they know
// which blocks the random phases draw and can tell a phase that moved everything from
// one that stopped early or read past the end of a short file.
#pragma once

#include <cstdint>

namespace bench {

constexpr std::int64_t kDiskBlockBytes = 4096;

struct DiskExpectation {
  std::int64_t sequential_bytes;   // each sequential phase: every block, whole
  std::int64_t random_write_bytes; // every draw writes a whole block
  std::int64_t file_bytes_after_random_write;  // one block longer when a draw hit the end
  std::int64_t random_read_bytes;  // a draw past the end of the file reads nothing
};

// The random phases draw `blocks` values each, write phase first, from the runtime's
// generator in state `seed` (as msvcrt::srand(seed) leaves it).
DiskExpectation ExpectDiskTest(std::int32_t blocks, unsigned seed);

// The generator's state after `draws` draws from state `seed`: where the random read
// phase starts when the random write phase started at `seed`.
unsigned StateAfterDraws(unsigned seed, std::int64_t draws);

}  // namespace bench
