#include "bench/support/disk_expectation.h"

namespace bench {
namespace {

// The runtime's generator, step for step (see platform/crt/rand.cpp).
class Draws {
 public:
  explicit Draws(unsigned seed) : state_(seed) {}
  int next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
  }
  unsigned state() const { return state_; }

 private:
  std::uint32_t state_;
};

constexpr std::int64_t kRandMax = 32767;

}  // namespace

DiskExpectation ExpectDiskTest(std::int32_t blocks, unsigned seed) {
  DiskExpectation expect{};
  std::int64_t count = blocks > 0 ? blocks : 0;
  expect.sequential_bytes = count * kDiskBlockBytes;
  expect.random_write_bytes = count * kDiskBlockBytes;
  Draws draws(seed);
  std::int64_t file_blocks = count;
  for (std::int64_t i = 0; i < count; ++i)
    if (draws.next() * count / kRandMax >= file_blocks) file_blocks = count + 1;
  expect.file_bytes_after_random_write = file_blocks * kDiskBlockBytes;
  for (std::int64_t i = 0; i < count; ++i)
    if (draws.next() * count / kRandMax < file_blocks) expect.random_read_bytes += kDiskBlockBytes;
  return expect;
}

unsigned StateAfterDraws(unsigned seed, std::int64_t draws) {
  Draws generator(seed);
  for (std::int64_t i = 0; i < draws; ++i) generator.next();
  return generator.state();
}

}  // namespace bench
