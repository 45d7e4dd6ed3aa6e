#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

#include "win32.h"

// Huge requests must fail with null under the sanitizers too, not abort the test.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
extern "C" const char* __tsan_default_options() { return "allocator_may_return_null=1"; }

namespace {

constexpr std::size_t kImpossibleSize = std::numeric_limits<std::size_t>::max() - 4096;

TEST(Rand, FollowsTheRuntimeSequenceAndReseeds) {
  msvcrt::srand(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
  for (int value : expected) EXPECT_EQ(msvcrt::rand(), value);

  msvcrt::srand(1);
  EXPECT_EQ(msvcrt::rand(), 41);
  // The state wraps modulo 2^32: seed 0xFFFFFFFF steps to 0xFFFFFFFF*214013+2531011.
  msvcrt::srand(0xFFFFFFFFu);
  EXPECT_EQ(msvcrt::rand(), static_cast<int>(((0xFFFFFFFFu * 214013u + 2531011u) >> 16) & 0x7FFF));
}

TEST(Rand, EveryThreadStartsAtSeedOneAndSeedsOnlyItself) {
  // This thread's sequence is under way; new threads must not inherit it, and their
  // reseeding and drawing must not move it or each other's.
  msvcrt::srand(7);
  const int expectedNext = [] {
    std::uint32_t state = 7u * 214013u + 2531011u;
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7FFF);
  }();
  msvcrt::rand();

  constexpr int kThreads = 4;
  std::vector<std::vector<int>> drawn(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&drawn, t] {
      for (int i = 0; i < 3; ++i) drawn[t].push_back(msvcrt::rand());
      msvcrt::srand(1000u + static_cast<unsigned>(t));
      for (int i = 0; i < 1000; ++i) msvcrt::rand();
    });
  for (auto& thread : threads) thread.join();
  for (const auto& values : drawn) EXPECT_EQ(values, (std::vector<int>{41, 18467, 6334}));
  EXPECT_EQ(msvcrt::rand(), expectedNext);
}

TEST(Clock, CountsWallTimeInMilliseconds) {
  msvcrt::clock_t before = msvcrt::clock();
  EXPECT_GE(before, 0);
  Sleep(50);  // sleeping uses no processor time, yet the clock must move on
  EXPECT_GE(msvcrt::clock() - before, 45);
  EXPECT_EQ(msvcrt::CLOCKS_PER_SECOND, 1000);
}

int handler_calls = 0;
int retry_once_then_give_up(std::size_t) { return ++handler_calls == 1 ? 1 : 0; }

struct HandlerFailure {
  std::size_t size;
};
int raising_handler(std::size_t size) { throw HandlerFailure{size}; }

TEST(NewHandler, RetriesWhileTheHandlerAsksAndGivesUpWithNull) {
  // Whatever start-up installed: the framework's handler, in programs that link it.
  msvcrt::_PNH installed = msvcrt::_set_new_handler(retry_once_then_give_up);
  handler_calls = 0;
  EXPECT_EQ(msvcrt::malloc_with_new_handler(kImpossibleSize), nullptr);
  EXPECT_EQ(handler_calls, 2);

  // Without a handler a failure is plain null.
  EXPECT_EQ(msvcrt::_set_new_handler(nullptr), retry_once_then_give_up);
  EXPECT_EQ(msvcrt::malloc_with_new_handler(kImpossibleSize), nullptr);
  EXPECT_EQ(msvcrt::_set_new_handler(installed), nullptr);
}

TEST(NewHandler, AHandlerMayLeaveByThrowing) {
  msvcrt::_set_new_handler(raising_handler);
  try {
    msvcrt::malloc_with_new_handler(kImpossibleSize);
    ADD_FAILURE() << "the handler should have thrown";
  } catch (const HandlerFailure& failure) {
    EXPECT_EQ(failure.size, kImpossibleSize);
  }
  msvcrt::_set_new_handler(nullptr);
}

TEST(NewHandler, ZeroBytesIsServedAsOneAndSucceedsWithoutTheHandler) {
  handler_calls = 0;
  msvcrt::_set_new_handler(retry_once_then_give_up);
  void* block = msvcrt::malloc_with_new_handler(0);
  ASSERT_NE(block, nullptr);
  static_cast<char*>(block)[0] = 'x';
  std::free(block);
  EXPECT_EQ(handler_calls, 0);
  msvcrt::_set_new_handler(nullptr);
}

}  // namespace
