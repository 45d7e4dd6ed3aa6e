#include "engine/bench_driver.h"
#include "engine/drivers.h"
#include "engine/status_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "status_window.h"

namespace {

// A kernel small enough to run 63 at a time in a test. It notes where and how often it ran.
std::atomic<int> tinyCalls{0};
std::atomic<int> tinyCallsOnMainThread{0};
std::thread::id mainThread;

void TinyKernel() {
  ++tinyCalls;
  if (std::this_thread::get_id() == mainThread) ++tinyCallsOnMainThread;
}

// Waits (up to a generous bound) until every worker of the pass has entered the kernel, so it
// only finishes quickly when all of them were released together.
constexpr int kGatherTarget = kMaxBenchThreads;
std::atomic<int> gathered{0};
std::atomic<int> sawEveryone{0};

void GatheringKernel() {
  ++gathered;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (gathered.load() < kGatherTarget && std::chrono::steady_clock::now() < deadline) std::this_thread::yield();
  if (gathered.load() >= kGatherTarget) ++sawEveryone;
}

class Drivers : public testing::Test {
 protected:
  void SetUp() override {
    tinyCalls = 0;
    tinyCallsOnMainThread = 0;
    mainThread = std::this_thread::get_id();
  }
};

// A tiny kernel normally shows 0.00, but a busy machine may stretch it: any time text of
// the status line's shape will do.
bool IsTimeText(const std::string& text) {
  std::size_t point = text.find('.');
  if (text.size() < 13 || point == std::string::npos || text.substr(point + 3) != " secs\n") return false;
  std::size_t digits = text.find_first_not_of(' ');
  if (digits >= point || text.find_first_not_of("0123456789", digits) != point) return false;
  return std::isdigit(static_cast<unsigned char>(text[point + 1])) &&
         std::isdigit(static_cast<unsigned char>(text[point + 2]));
}

bool IsDecimalNumber(const char* text) {
  char* end = nullptr;
  double value = std::strtod(text, &end);
  return *text != 0 && *end == 0 && value > 0.0;
}

TEST_F(Drivers, ThreadsUpToOneRunOnTheCallingThread) {
  for (int threads : {-5, 0, 1}) {
    tinyCalls = 0;
    tinyCallsOnMainThread = 0;
    BenchTotals totals = RunProcessorBench("TT", "Tiny", TinyKernel, nullptr, threads, 3);
    EXPECT_EQ(totals.kernelCalls, 3) << threads;
    EXPECT_EQ(tinyCalls, 3) << threads;
    EXPECT_EQ(tinyCallsOnMainThread, 3) << threads;
  }
}

TEST_F(Drivers, NoPassesMakeNoCallsAndRateZero) {
  for (int threads : {1, 4}) {
    for (int repeat : {0, -2}) {
      BenchTotals totals = RunProcessorBench("TT", "Tiny", TinyKernel, nullptr, threads, repeat);
      EXPECT_EQ(totals.kernelCalls, 0);
      EXPECT_EQ(totals.totalNanoseconds, 0);
    }
  }
  EXPECT_EQ(tinyCalls, 0);
  EXPECT_STREQ(DoWhetstone(nullptr, 1, 0), "0");
  EXPECT_STREQ(DoWhetstone(nullptr, 8, 0), "0");
  EXPECT_STREQ(DoDhrystone(nullptr, 1, 0), "0");
  EXPECT_STREQ(DoDhrystone(nullptr, 8, -1), "0");
}

TEST(PassSpan, RunsFromTheStartSignalToTheLastEnd) {
  // Workers that overlapped, of equal length: the span is that length (the mean).
  const BenchInterval overlapping[] = {{100, 500}, {101, 500}, {100, 499}};
  EXPECT_EQ(PassSpan(100, overlapping, 3), 400);
  // Workers that had to take turns: the span is the sum of their calls.
  const BenchInterval inTurn[] = {{100, 200}, {300, 400}, {200, 300}};
  EXPECT_EQ(PassSpan(100, inTurn, 3), 300);
  EXPECT_EQ(PassSpan(100, nullptr, 3), 0);
  EXPECT_EQ(PassSpan(100, inTurn, 0), 0);
}

// Kernels that cannot overlap: each holds one lock for its whole call. Four of them take
// at least four calls' time, so four threads can never report more than one thread would.
std::mutex oneAtATime;
constexpr auto kLockedCall = std::chrono::milliseconds(20);

void LockedKernel() {
  std::lock_guard lock(oneAtATime);
  std::this_thread::sleep_for(kLockedCall);
}

TEST_F(Drivers, WorkersThatTakeTurnsCountWithTheirWholeSpan) {
  constexpr int kThreads = 4;
  BenchTotals totals = RunProcessorBench("TT", "Locked", LockedKernel, nullptr, kThreads, 1);
  ASSERT_EQ(totals.kernelCalls, kThreads);
  EXPECT_GE(totals.totalNanoseconds, kThreads * std::chrono::nanoseconds(kLockedCall).count());
}

TEST_F(Drivers, TwoThreadsThreePassesMakeSixWorkerCalls) {
  BenchTotals totals = RunProcessorBench("TT", "Tiny", TinyKernel, nullptr, 2, 3);
  EXPECT_EQ(totals.kernelCalls, 6);
  EXPECT_EQ(tinyCalls, 6);
  EXPECT_EQ(tinyCallsOnMainThread, 0);
}

TEST_F(Drivers, SixtyThreeWorkersStartTogether) {
  gathered = 0;
  sawEveryone = 0;
  BenchTotals totals = RunProcessorBench("TT", "Gather", GatheringKernel, nullptr, kMaxBenchThreads, 1);
  EXPECT_EQ(totals.kernelCalls, kMaxBenchThreads);
  EXPECT_EQ(sawEveryone, kMaxBenchThreads);
  // More threads than the cap are held to it.
  totals = RunProcessorBench("TT", "Tiny", TinyKernel, nullptr, kMaxBenchThreads + 10, 1);
  EXPECT_EQ(totals.kernelCalls, kMaxBenchThreads);
}

// Fills the kernel's handle table with events, then frees `free` slots, so that only that
// many kernel objects (the start event, workers) can still be made.
class KernelHandlesExhausted {
 public:
  explicit KernelHandlesExhausted(int free) {
    for (;;) {
      HANDLE event = CreateEventA(NULL, TRUE, FALSE, NULL);
      if (event == NULL) break;
      events_.push_back(event);
    }
    for (int i = 0; i < free && !events_.empty(); ++i) {
      CloseHandle(events_.back());
      events_.pop_back();
    }
  }
  ~KernelHandlesExhausted() {
    for (HANDLE event : events_) CloseHandle(event);
  }

 private:
  std::vector<HANDLE> events_;
};

TEST_F(Drivers, WorkersThatCannotBeCreatedAreLeftOut) {
  {
    // Room for the start event and one worker: the pass counts that one worker only.
    KernelHandlesExhausted exhausted(2);
    BenchTotals totals = RunProcessorBench("TT", "Tiny", TinyKernel, nullptr, 4, 1);
    EXPECT_EQ(totals.kernelCalls, 1);
    EXPECT_EQ(tinyCalls, 1);
  }
  {
    // No room at all, not even for the start event: the driver returns, having run nothing.
    KernelHandlesExhausted exhausted(0);
    BenchTotals totals = RunProcessorBench("TT", "Tiny", TinyKernel, nullptr, 4, 1);
    EXPECT_EQ(totals.kernelCalls, 0);
    EXPECT_EQ(totals.totalNanoseconds, 0);
  }
}

TEST_F(Drivers, WorkerLineReachesTheStatusControlThroughTheGuiThread) {
  StatusWindow window;
  BenchTotals totals = RunProcessorBench("TT", "Tiny", TinyKernel, window.dialog(), 2, 1);
  EXPECT_EQ(totals.kernelCalls, 2);
  EXPECT_EQ(window.SetTextCount(), 2);
  EXPECT_EQ(window.LastSetTextThread(), GetCurrentThreadId());
  std::string line = window.StatusText();
  EXPECT_EQ(line.substr(0, 28), FormatStepText("TT", "Tiny"));
  EXPECT_TRUE(IsTimeText(line.substr(28))) << line;
}

TEST_F(Drivers, SingleThreadStepWritesItsLine) {
  StatusWindow window;
  RunProcessorBench("AB", "One step", TinyKernel, window.dialog(), 1, 2);
  EXPECT_EQ(window.SetTextCount(), 2);
  std::string line = window.StatusText();
  EXPECT_EQ(line.substr(0, 28), FormatStepText("AB", "One step"));
  EXPECT_TRUE(IsTimeText(line.substr(28))) << line;
}

TEST_F(Drivers, RealKernelsGiveRates) {
  EXPECT_TRUE(IsDecimalNumber(DoDhrystone(nullptr, 1, 1)));
  EXPECT_TRUE(IsDecimalNumber(DoWhetstone(nullptr, 1, 2)));
  EXPECT_TRUE(IsDecimalNumber(DoWhetstone(nullptr, 2, 1)));
}

}  // namespace
