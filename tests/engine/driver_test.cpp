#include "engine/bench_driver.h"
#include "engine/drivers.h"
#include "engine/status_text.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdlib>
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
      EXPECT_EQ(totals.totalMicroseconds, 0);
    }
  }
  EXPECT_EQ(tinyCalls, 0);
  EXPECT_STREQ(DoWhetstone(nullptr, 1, 0), "0");
  EXPECT_STREQ(DoWhetstone(nullptr, 8, 0), "0");
  EXPECT_STREQ(DoDhrystone(nullptr, 1, 0), "0");
  EXPECT_STREQ(DoDhrystone(nullptr, 8, -1), "0");
}

TEST_F(Drivers, PassMeanTruncates) {
  const DWORD twoWorkers[] = {5, 6};
  EXPECT_EQ(MeanOfExitCodes(twoWorkers, 2), 5);
  const DWORD fourWorkers[] = {4'100'000, 4'120'000, 4'090'000, 4'150'000};
  EXPECT_EQ(MeanOfExitCodes(fourWorkers, 4), 4'115'000);
  const DWORD uneven[] = {410, 412, 409, 415};
  EXPECT_EQ(MeanOfExitCodes(uneven, 4), 411);
  // The sum of 63 saturated exit codes does not overflow.
  DWORD saturated[kMaxBenchThreads];
  for (DWORD& code : saturated) code = 0xFFFFFFFFu;
  EXPECT_EQ(MeanOfExitCodes(saturated, kMaxBenchThreads), 0xFFFFFFFFll);
  EXPECT_EQ(MeanOfExitCodes(nullptr, 3), 0);
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
    EXPECT_EQ(totals.totalMicroseconds, 0);
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
