// Seconds of processor time spent by the calling thread, in user and kernel mode. The
// ratio benches time with this clock rather than the wall clock: on a machine shared
// with other work, the time a thread sits preempted is not the cost of what it runs,
// and it is the largest part of the noise. Everything timed here is processor-bound
// (transfers through the page cache), so nothing it does is hidden from this clock.
#pragma once

#include <time.h>

namespace bench {

inline double ThreadSeconds() {
  timespec now;
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace bench
