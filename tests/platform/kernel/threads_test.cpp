#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "win32.h"

namespace {

// The benchmark drivers' cap on worker threads.
constexpr int kMaxWorkers = 63;
// Long enough for any thread hand-off on a loaded machine; never a timing assertion.
constexpr DWORD kGenerousWait = 20000;

struct StartGate {
  HANDLE start_event;
  std::atomic<int> waiting{0};
  std::atomic<int> released{0};
};

struct Worker {
  StartGate* gate;
  DWORD index;
};

DWORD WINAPI wait_for_gate(LPVOID parameter) {
  auto* worker = static_cast<Worker*>(parameter);
  worker->gate->waiting.fetch_add(1);
  if (WaitForSingleObject(worker->gate->start_event, kGenerousWait) != WAIT_OBJECT_0) return 0xDEAD;
  // The gate may go away as soon as the count shows this worker released.
  DWORD exit_code = 1000 + worker->index;
  worker->gate->released.fetch_add(1);
  return exit_code;
}

TEST(Threads, OneManualResetEventReleasesSixtyThreeWaiters) {
  StartGate gate;
  gate.start_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  ASSERT_NE(gate.start_event, nullptr);
  std::vector<Worker> workers(kMaxWorkers);
  std::vector<HANDLE> threads;
  for (int i = 0; i < kMaxWorkers; ++i) {
    workers[i] = Worker{&gate, static_cast<DWORD>(i)};
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, wait_for_gate, &workers[i], 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    threads.push_back(thread);
  }
  while (gate.waiting.load() < kMaxWorkers) Sleep(1);
  // Nobody passes the gate before it opens.
  EXPECT_EQ(WaitForSingleObject(threads[0], 50), WAIT_TIMEOUT);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(threads[0], &code));
  EXPECT_EQ(code, STILL_ACTIVE);
  EXPECT_EQ(gate.released.load(), 0);

  ASSERT_TRUE(SetEvent(gate.start_event));
  for (int i = 0; i < kMaxWorkers; ++i) {
    ASSERT_EQ(WaitForSingleObject(threads[i], kGenerousWait), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(threads[i], &code));
    EXPECT_EQ(code, 1000u + i);
    // A finished thread stays signalled, and its handle stays valid until closed.
    EXPECT_EQ(WaitForSingleObject(threads[i], 0), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(threads[i]));
  }
  EXPECT_EQ(gate.released.load(), kMaxWorkers);
  // A manual-reset event stays signalled until reset.
  EXPECT_EQ(WaitForSingleObject(gate.start_event, 0), WAIT_OBJECT_0);
  EXPECT_TRUE(ResetEvent(gate.start_event));
  EXPECT_EQ(WaitForSingleObject(gate.start_event, 0), WAIT_TIMEOUT);
  EXPECT_TRUE(CloseHandle(gate.start_event));
}

DWORD WINAPI take_auto_event(LPVOID parameter) {
  auto* gate = static_cast<StartGate*>(parameter);
  gate->waiting.fetch_add(1);
  if (WaitForSingleObject(gate->start_event, kGenerousWait) != WAIT_OBJECT_0) return 1;
  gate->released.fetch_add(1);
  return 0;
}

TEST(Threads, AnAutoResetEventReleasesOneWaiterPerSignal) {
  StartGate gate;
  gate.start_event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  HANDLE first = CreateThread(nullptr, 0, take_auto_event, &gate, 0, nullptr);
  HANDLE second = CreateThread(nullptr, 0, take_auto_event, &gate, 0, nullptr);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  while (gate.waiting.load() < 2) Sleep(1);

  SetEvent(gate.start_event);
  while (gate.released.load() < 1) Sleep(1);
  Sleep(50);  // give a wrongly released second waiter the chance to show itself
  EXPECT_EQ(gate.released.load(), 1);
  SetEvent(gate.start_event);
  EXPECT_EQ(WaitForSingleObject(first, kGenerousWait), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(second, kGenerousWait), WAIT_OBJECT_0);
  EXPECT_EQ(gate.released.load(), 2);
  // Each signal was consumed by one waiter.
  EXPECT_EQ(WaitForSingleObject(gate.start_event, 0), WAIT_TIMEOUT);

  // An initially signalled auto-reset event lets one wait through, then times out.
  HANDLE ready = CreateEventA(nullptr, FALSE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(ready, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(ready, 10), WAIT_TIMEOUT);
  for (HANDLE h : {first, second, gate.start_event, ready}) EXPECT_TRUE(CloseHandle(h));
}

struct Unwound {
  bool* flag;
  ~Unwound() { *flag = true; }
};

bool frames_unwound = false;

[[noreturn]] void leave_from_deep_inside() {
  Unwound guard{&frames_unwound};
  ExitThread(77);
}

DWORD WINAPI exits_early(LPVOID) {
  leave_from_deep_inside();
}

TEST(Threads, ExitThreadEndsTheThreadWithItsCodeAndUnwindsFrames) {
  HANDLE thread = CreateThread(nullptr, 0, exits_early, nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, kGenerousWait), WAIT_OBJECT_0);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 77u);
  EXPECT_TRUE(frames_unwound);
  CloseHandle(thread);
}

DWORD WINAPI report_thread_id(LPVOID parameter) {
  *static_cast<DWORD*>(parameter) = GetCurrentThreadId();
  return 0;
}

TEST(Threads, ThreadIdsMatchAndDiffer) {
  DWORD reported = 0;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, report_thread_id, &reported, 0, &id);
  ASSERT_NE(thread, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(reported, id);
  EXPECT_NE(GetCurrentThreadId(), id);
  EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
  CloseHandle(thread);

  EXPECT_EQ(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(Threads, ClosingTheHandleOfARunningThreadLetsItFinish) {
  StartGate gate;
  gate.start_event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Worker worker{&gate, 5};
  HANDLE thread = CreateThread(nullptr, 0, wait_for_gate, &worker, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_TRUE(CloseHandle(thread));
  SetEvent(gate.start_event);
  while (gate.released.load() < 1) Sleep(1);
  CloseHandle(gate.start_event);
}

TEST(Events, NamedEventsAreShared) {
  HANDLE first = CreateEventA(nullptr, TRUE, FALSE, "torvex-test-event");
  EXPECT_EQ(GetLastError(), NO_ERROR);
  HANDLE second = CreateEventA(nullptr, TRUE, FALSE, "torvex-test-event");
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  ASSERT_NE(first, second);
  SetEvent(first);
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
  CloseHandle(first);
  CloseHandle(second);
}

TEST(Interlocked, ReturnsTheNewValueAndWraps) {
  volatile LONG counter = 0;
  EXPECT_EQ(InterlockedIncrement(&counter), 1);
  EXPECT_EQ(InterlockedDecrement(&counter), 0);
  EXPECT_EQ(InterlockedDecrement(&counter), -1);
  counter = 0x7FFFFFFF;
  EXPECT_EQ(InterlockedIncrement(&counter), static_cast<LONG>(0x80000000u));
}

}  // namespace
