#include "display/sdl/wake_poll.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace display::sdl {

// Without an eventfd (out of descriptors) waits end only by input or timeout: slower to
// show, still correct.
WakePoll::WakePoll() : event_fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

WakePoll::~WakePoll() {
  if (event_fd_ >= 0) close(event_fd_);
}

void WakePoll::wake() {
  // The counter only saturates after 2^64 - 2 wakes that nobody took; EAGAIN then still
  // leaves it readable, which is all a wake needs.
  const std::uint64_t one = 1;
  while (write(event_fd_, &one, sizeof one) < 0 && errno == EINTR) {
  }
}

bool WakePoll::wait(int timeout_ms) {
  pollfd fds[2] = {{event_fd_, POLLIN, 0}, {watched_, POLLIN, 0}};
  const nfds_t count = watched_ >= 0 ? 2 : 1;
  if (poll(fds, count, timeout_ms) <= 0) return false;  // timed out, or a signal: look again
  if (!(fds[0].revents & POLLIN)) return false;
  // Reading resets the counter to zero, so every wake written after this read makes the
  // next wait return: the caller looks at the shared state only after this.
  std::uint64_t count_read;
  return read(event_fd_, &count_read, sizeof count_read) == static_cast<ssize_t>(sizeof count_read);
}

}  // namespace display::sdl
