// The display thread's sleep: a wake is never lost, whenever it comes, and input on the
// watched connection ends the sleep too. A lost wake shows as a hang, which the deadlines
// here turn into a failure.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "display/sdl/wake_poll.h"

using display::sdl::WakePoll;

namespace {

constexpr int kForever = -1;
constexpr auto kHangGuard = std::chrono::seconds(60);

TEST(WakePoll, AWakeBeforeTheWaitIsKeptAndManyWakesCountAsOne) {
  WakePoll poll;
  EXPECT_FALSE(poll.take()) << "nothing asked yet";
  poll.wake();
  poll.wake();
  poll.wake();
  EXPECT_TRUE(poll.wait(kForever));
  EXPECT_FALSE(poll.take()) << "the three wakes were one";
}

TEST(WakePoll, InputOnTheWatchedDescriptorEndsTheWaitWithoutTakingAWake) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  WakePoll poll;
  poll.watch(fds[0]);
  ASSERT_EQ(write(fds[1], "x", 1), 1);
  EXPECT_FALSE(poll.wait(kForever)) << "input, not a wake";
  poll.wake();
  EXPECT_TRUE(poll.wait(kForever)) << "a wake beside waiting input is still a wake";
  close(fds[0]);
  close(fds[1]);
}

// The backend's hand-over in miniature: a producer records work and wakes only when no
// wake is outstanding; the consumer takes the wake, then the work. Every request must be
// carried out, however the two threads interleave.
TEST(WakePoll, EveryRequestIsSeenWhenWakesAreCoalescedAsTheBackendDoes) {
  constexpr int kRequests = 20000;
  WakePoll poll;
  std::mutex mutex;
  std::condition_variable done_changed;
  int requested = 0, done = 0;
  bool wake_sent = false, stopping = false;

  std::thread consumer([&] {
    for (;;) {
      poll.wait(kForever);
      std::lock_guard lock(mutex);
      wake_sent = false;
      done = requested;
      done_changed.notify_all();
      if (stopping) return;
    }
  });
  bool all_seen = true;
  for (int i = 0; i < kRequests && all_seen; ++i) {
    std::unique_lock lock(mutex);
    const int target = ++requested;
    if (!wake_sent) {
      wake_sent = true;
      poll.wake();
    }
    // Every few requests the producer waits, as flush() does; the rest pile up.
    if (i % 7 == 0) all_seen = done_changed.wait_for(lock, kHangGuard, [&] { return done >= target; });
  }
  {
    std::unique_lock lock(mutex);
    all_seen = all_seen && done_changed.wait_for(lock, kHangGuard, [&] { return done == requested; });
    stopping = true;
  }
  poll.wake();
  consumer.join();
  EXPECT_TRUE(all_seen) << "a wake was lost: requested " << requested << ", done " << done;
}

}  // namespace
