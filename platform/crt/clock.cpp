// The runtime's clock: elapsed wall time since start-up in milliseconds. Timing a kernel
// that sleeps or waits must count that time, so this reads a monotonic clock, never the
// processor time the host's clock() reports.
#include "win32/crt.h"

#include <chrono>
#include <limits>

namespace msvcrt {
namespace {

using Clock = std::chrono::steady_clock;

// The start reading is taken during static initialisation (through start_time_anchor
// below) so that "since the program started" does not mean "since the first call".
Clock::time_point start_time() {
  static const Clock::time_point start = Clock::now();
  return start;
}

const Clock::time_point start_time_anchor = start_time();

}  // namespace

clock_t clock() {
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start_time());
  if (elapsed.count() < 0 || elapsed.count() > std::numeric_limits<clock_t>::max()) return -1;
  return static_cast<clock_t>(elapsed.count());
}

}  // namespace msvcrt
