// The remembered temporary files live in fixed slots so that a signal handler can walk them
// without allocating or locking. Ordinary calls change a slot under a mutex and bracket the
// change with a sequence number (odd while it is being written); the handler copies a
// slot's path with atomic loads and uses the copy only if the sequence did not move. The
// path's characters are stored with release and loaded with acquire, so a handler that
// sees any character of a newer path also sees the sequence number that announced it.
#include "kernel/scratch_files.h"

#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace win32::kernel {
namespace {

struct Slot {
  std::atomic<unsigned> sequence{0};
  std::atomic<bool> live{false};
  char path[PATH_MAX] = {};
  FileIdentity identity{};  // identity and descriptor: only under the mutex
  int descriptor = -1;
};

Slot slots[kMaxLiveTempFiles];
std::mutex slotsMutex;

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previousActions[sizeof kCleanedSignals / sizeof kCleanedSignals[0]];
std::once_flag handlersInstalled;

static_assert(std::atomic<unsigned>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the signal handler relies on lock-free atomics");

void write_slot(Slot& slot, const std::string& path, FileIdentity identity, int descriptor, bool live) {
  if (slot.descriptor >= 0) ::close(slot.descriptor);
  slot.descriptor = descriptor;
  slot.sequence.fetch_add(1, std::memory_order_acq_rel);
  std::size_t length = live ? path.size() : 0;
  for (std::size_t i = 0; i < length; ++i) std::atomic_ref<char>(slot.path[i]).store(path[i], std::memory_order_release);
  std::atomic_ref<char>(slot.path[length]).store('\0', std::memory_order_release);
  slot.identity = identity;
  slot.live.store(live, std::memory_order_relaxed);
  slot.sequence.fetch_add(1, std::memory_order_release);
}

bool slot_holds(const Slot& slot, const std::string& path) {
  return slot.live.load(std::memory_order_relaxed) && path.size() < PATH_MAX &&
         std::strncmp(slot.path, path.c_str(), PATH_MAX) == 0;
}

// Async-signal-safe: atomics, unlink and nothing else.
void remove_live_files() {
  char path[PATH_MAX];
  for (Slot& slot : slots) {
    unsigned before = slot.sequence.load(std::memory_order_acquire);
    if ((before & 1u) != 0 || !slot.live.load(std::memory_order_relaxed)) continue;
    for (std::size_t i = 0; i < PATH_MAX; ++i) {
      path[i] = std::atomic_ref<char>(slot.path[i]).load(std::memory_order_acquire);
      if (path[i] == '\0') break;
    }
    path[PATH_MAX - 1] = '\0';
    if (slot.sequence.load(std::memory_order_relaxed) != before) continue;
    ::unlink(path);
  }
}

void on_ending_signal(int signal_number, siginfo_t* info, void* context) {
  int saved_errno = errno;
  for (std::size_t i = 0; i < sizeof kCleanedSignals / sizeof kCleanedSignals[0]; ++i) {
    if (kCleanedSignals[i] != signal_number) continue;
    const struct sigaction& previous = previousActions[i];
    if (previous.sa_flags & SA_SIGINFO) {
      previous.sa_sigaction(signal_number, info, context);
    } else if (previous.sa_handler != SIG_DFL && previous.sa_handler != SIG_IGN) {
      // Someone else handles this signal and decides whether the process ends; the
      // files stay for the program to delete as it normally does.
      previous.sa_handler(signal_number);
    } else {
      // The default action ends the process: remove the files, then let it happen. The
      // raised signal is blocked until this handler returns.
      remove_live_files();
      ::sigaction(signal_number, &previous, nullptr);
      ::raise(signal_number);
    }
  }
  errno = saved_errno;
}

void install_handlers() {
  for (std::size_t i = 0; i < sizeof kCleanedSignals / sizeof kCleanedSignals[0]; ++i) {
    struct sigaction current;
    if (::sigaction(kCleanedSignals[i], nullptr, &current) != 0) continue;
    // A signal the process ignores does not end it, so there is nothing to clean up.
    if (!(current.sa_flags & SA_SIGINFO) && current.sa_handler == SIG_IGN) continue;
    previousActions[i] = current;
    struct sigaction action {};
    action.sa_sigaction = on_ending_signal;
    action.sa_flags = SA_SIGINFO | SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(kCleanedSignals[i], &action, nullptr);
  }
}

}  // namespace

bool remember_temp_file(const std::string& host_path, int descriptor) {
  std::call_once(handlersInstalled, install_handlers);
  struct stat info;
  if (host_path.size() >= PATH_MAX || ::fstat(descriptor, &info) != 0) return false;
  FileIdentity identity{info.st_dev, info.st_ino};
  std::lock_guard lock(slotsMutex);
  // A name made again (its earlier file removed behind our back) takes over its old slot.
  for (Slot& slot : slots) {
    if (!slot_holds(slot, host_path)) continue;
    write_slot(slot, host_path, identity, descriptor, true);
    return true;
  }
  for (Slot& slot : slots) {
    if (slot.live.load(std::memory_order_relaxed)) continue;
    write_slot(slot, host_path, identity, descriptor, true);
    return true;
  }
  return false;
}

void forget_temp_file(const std::string& host_path) {
  std::lock_guard lock(slotsMutex);
  for (Slot& slot : slots)
    if (slot_holds(slot, host_path)) write_slot(slot, {}, {}, -1, false);
}

bool remembered_temp_file(const std::string& host_path, FileIdentity& identity) {
  std::lock_guard lock(slotsMutex);
  for (const Slot& slot : slots) {
    if (!slot_holds(slot, host_path)) continue;
    identity = slot.identity;
    return true;
  }
  return false;
}

}  // namespace win32::kernel
