#include "framework/except.h"

#include "alloc_counter.h"

#include <win32.h>

#include <gtest/gtest.h>

#include <new>

// A real heap refusal (not the test hook) must reach the handler; under the
// sanitizers an impossible request would otherwise end the program.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }
extern "C" const char* __tsan_default_options() { return "allocator_may_return_null=1"; }

namespace {

// A heap exception that counts its own destruction.
class CountedException : public CException {
 public:
  explicit CountedException(int* deaths) : deaths_(deaths) {}
  ~CountedException() override { ++*deaths_; }

 private:
  int* deaths_;
};

// Thrown by a test's terminate handler so that the test can go on.
struct Terminated {};
void ThrowTerminated() { throw Terminated{}; }

class Exceptions : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(afxExceptionContext.pLinkTop, nullptr) << "a try point stayed open";
    afxExceptionContext.Cleanup();
    AfxSetTerminate(&AfxAbort);
  }
};

TEST_F(Exceptions, StaticMemoryExceptionReachesAGeneralHandler) {
  CException* caught = nullptr;
  TRY { AfxThrowMemoryException(); }
  CATCH(CException, e) {
    caught = e;
    EXPECT_FALSE(afxExceptionContext.autoDelete);
    EXPECT_EQ(afxExceptionContext.pLinkTop, nullptr);
  }
  END_CATCH
  ASSERT_NE(caught, nullptr);
  EXPECT_TRUE(caught->IsKindOf(RUNTIME_CLASS(CMemoryException)));
  EXPECT_EQ(afxExceptionContext.pCurrent, nullptr);

  // The shared instance survives the clean-up and is raised again next time.
  CException* again = nullptr;
  TRY { AfxThrowMemoryException(); }
  CATCH(CMemoryException, e) { again = e; }
  END_CATCH
  EXPECT_EQ(again, caught);
}

TEST_F(Exceptions, HandlersAreTriedInOrderAndTheFirstMatchRuns) {
  int which = 0;
  TRY { AfxThrowResourceException(); }
  CATCH(CMemoryException, e) { which = 1; }
  AND_CATCH(CResourceException, e) { which = 2; }
  AND_CATCH(CException, e) { which = 3; }
  END_CATCH
  EXPECT_EQ(which, 2);
}

TEST_F(Exceptions, OwnedExceptionIsDeletedExactlyOnce) {
  int deaths = 0;
  TRY { THROW(new CountedException(&deaths)); }
  CATCH(CException, e) {
    EXPECT_TRUE(afxExceptionContext.autoDelete);
    EXPECT_EQ(deaths, 0);
  }
  END_CATCH
  EXPECT_EQ(deaths, 1);
  afxExceptionContext.Cleanup();
  EXPECT_EQ(deaths, 1);
}

TEST_F(Exceptions, RaisingAnotherBeforeCleanupDeletesTheFirst) {
  int firstDeaths = 0;
  int secondDeaths = 0;
  TRY {
    TRY { THROW(new CountedException(&firstDeaths)); }
    CATCH(CException, e) {
      // Raised from inside the handler: the first is replaced, hence deleted.
      THROW(new CountedException(&secondDeaths));
    }
    END_CATCH
  }
  CATCH(CException, e) {
    EXPECT_EQ(firstDeaths, 1);
    EXPECT_EQ(secondDeaths, 0);
  }
  END_CATCH
  EXPECT_EQ(firstDeaths, 1);
  EXPECT_EQ(secondDeaths, 1);
}

TEST_F(Exceptions, ThrowLastReachesTheOuterTryPointWithTheSameOwnership) {
  int deaths = 0;
  CException* raised = new CountedException(&deaths);
  CException* outerSaw = nullptr;
  bool innerRan = false;
  TRY {
    TRY { THROW(raised); }
    CATCH(CException, e) {
      innerRan = true;
      THROW_LAST();
    }
    END_CATCH
    ADD_FAILURE() << "ThrowLast returned";
  }
  CATCH(CException, e) {
    outerSaw = e;
    EXPECT_TRUE(afxExceptionContext.autoDelete);
    EXPECT_EQ(deaths, 0);
  }
  END_CATCH
  EXPECT_TRUE(innerRan);
  EXPECT_EQ(outerSaw, raised);
  EXPECT_EQ(deaths, 1);

  // A shared exception stays shared on its way out.
  TRY {
    TRY { AfxThrowNotSupportedException(); }
    CATCH(CException, e) { THROW_LAST(); }
    END_CATCH
  }
  CATCH(CNotSupportedException, e) { EXPECT_FALSE(afxExceptionContext.autoDelete); }
  END_CATCH
}

TEST_F(Exceptions, UnmatchedClassPassesOnToTheOuterHandler) {
  bool innerRan = false;
  bool outerRan = false;
  TRY {
    TRY { AfxThrowNotSupportedException(); }
    CATCH(CMemoryException, e) { innerRan = true; }
    END_CATCH
  }
  CATCH(CNotSupportedException, e) { outerRan = true; }
  END_CATCH
  EXPECT_FALSE(innerRan);
  EXPECT_TRUE(outerRan);
}

TEST_F(Exceptions, NestedTryPointsPopInOrderAndFramesBetweenAreUnwound) {
  struct Guard {
    int* count;
    ~Guard() { ++*count; }
  };
  int unwound = 0;
  CExceptionLink* outerLink = nullptr;
  bool innerCaught = false;
  bool outerBodyFinished = false;
  TRY {
    outerLink = afxExceptionContext.pLinkTop;
    TRY {
      EXPECT_EQ(afxExceptionContext.pLinkTop->pLinkPrev, outerLink);
      [&] {
        Guard guard{&unwound};
        AfxThrowMemoryException();
      }();
    }
    CATCH(CException, e) {
      innerCaught = true;
      EXPECT_EQ(unwound, 1);
      EXPECT_EQ(afxExceptionContext.pLinkTop, outerLink);
    }
    END_CATCH
    EXPECT_EQ(afxExceptionContext.pLinkTop, outerLink);
    outerBodyFinished = true;
  }
  CATCH(CException, e) { ADD_FAILURE() << "the outer try point took an inner exception"; }
  END_CATCH
  EXPECT_TRUE(innerCaught);
  EXPECT_TRUE(outerBodyFinished);
}

TEST_F(Exceptions, LeavingATryBodyEarlyPopsItsTryPoint) {
  auto leaveEarly = [] {
    TRY { return 5; }
    CATCH(CException, e) {}
    END_CATCH
    return 0;
  };
  EXPECT_EQ(leaveEarly(), 5);
  EXPECT_EQ(afxExceptionContext.pLinkTop, nullptr);
}

TEST_F(Exceptions, SetTerminateFirstReturnsAfxAbort) {
  EXPECT_EQ(AfxSetTerminate(&ThrowTerminated), &AfxAbort);
  EXPECT_EQ(AfxSetTerminate(&AfxAbort), &ThrowTerminated);
}

TEST_F(Exceptions, RaiseWithoutTryPointCallsTheTerminateHandler) {
  AfxSetTerminate(&ThrowTerminated);
  int deaths = 0;
  EXPECT_THROW(THROW(new CountedException(&deaths)), Terminated);
  // The context still owns it until cleaned up.
  EXPECT_EQ(deaths, 0);
  afxExceptionContext.Cleanup();
  EXPECT_EQ(deaths, 1);
  EXPECT_THROW(THROW_LAST(), Terminated);  // nothing current: nothing to deliver
}

using ExceptionsDeathTest = Exceptions;

TEST_F(ExceptionsDeathTest, DefaultTerminationAborts) {
  EXPECT_DEATH(AfxThrowResourceException(), "");
  // A try point destroyed while still chained below the top breaks the nesting.
  EXPECT_DEATH(
      {
        TRY {
          auto* middle = new CExceptionLink(afxExceptionContext.pLinkTop);
          CExceptionLink inner(afxExceptionContext.pLinkTop);
          delete middle;
        }
        CATCH(CException, e) {}
        END_CATCH
      },
      "");
}

TEST_F(Exceptions, RefusedAllocationRaisesTheMemoryException) {
  bool caught = false;
  AllocationCounter counter;
  counter.refuse(true);
  TRY {
    char* never = new char[16];
    ADD_FAILURE() << "allocation returned " << static_cast<void*>(never);
  }
  CATCH(CMemoryException, e) { caught = true; }
  END_CATCH
  EXPECT_TRUE(caught);

  // The nothrow forms report the failure instead of raising.
  EXPECT_EQ(new (std::nothrow) char[16], nullptr);
  counter.refuse(false);
}

// Handlers other than the framework's: non-zero retries, zero gives up, and a
// throwing new that gives up throws std::bad_alloc instead of returning null.
AllocationCounter* refusingCounter = nullptr;
int handlerCalls = 0;
int RetryAfterFreeingSomething(std::size_t) {
  ++handlerCalls;
  refusingCounter->refuse(false);
  return 1;
}
int GiveUp(std::size_t) {
  ++handlerCalls;
  return 0;
}
// Keeps the compiler from leaving out an allocation whose block is never used.
char* volatile escaped = nullptr;

TEST_F(Exceptions, AllocatorFollowsTheInstalledHandlersAnswer) {
  AllocationCounter counter;
  refusingCounter = &counter;
  counter.refuse(true);
  msvcrt::_PNH framework = msvcrt::_set_new_handler(&RetryAfterFreeingSomething);
  EXPECT_EQ(framework, &AfxNewHandler);
  escaped = new char[8];
  delete[] escaped;

  counter.refuse(true);
  msvcrt::_set_new_handler(&GiveUp);
  bool gaveUp = false;
  try {
    escaped = new char[8];
  } catch (const std::bad_alloc&) {
    gaveUp = true;
  }
  counter.refuse(false);
  msvcrt::_set_new_handler(framework);
  EXPECT_TRUE(gaveUp);
  EXPECT_EQ(handlerCalls, 2);
}

TEST_F(Exceptions, ExhaustedHeapRaisesTheMemoryException) {
  volatile std::size_t impossible = std::size_t{1} << 62;
  bool caught = false;
  TRY {
    char* never = new char[impossible];
    ADD_FAILURE() << "allocation returned " << static_cast<void*>(never);
  }
  CATCH(CMemoryException, e) { caught = true; }
  END_CATCH
  EXPECT_TRUE(caught);
}

TEST_F(Exceptions, ZeroByteRequestsGetDistinctBlocks) {
  char* a = new char[0];
  char* b = new char[0];
  EXPECT_NE(a, nullptr);
  EXPECT_NE(a, b);
  delete[] a;
  delete[] b;
}

}  // namespace
