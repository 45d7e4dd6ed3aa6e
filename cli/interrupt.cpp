#include "cli/interrupt.h"

#include <signal.h>

#include <atomic>

namespace cli {
namespace {

std::atomic<bool> interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler relies on a lock-free flag");

void OnInterrupt(int) { interrupted.store(true, std::memory_order_relaxed); }

}  // namespace

void CatchInterrupt() {
  struct sigaction current {};
  if (::sigaction(SIGINT, nullptr, &current) != 0) return;
  if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_IGN) return;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  // Restarted calls: the signal may land on any thread, the disk test's reads and writes
  // among them, and none of them should fail for it.
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
}

bool Interrupted() { return interrupted.load(std::memory_order_relaxed); }

}  // namespace cli
