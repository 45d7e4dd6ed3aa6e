#include <gtest/gtest.h>

#include "win32.h"

namespace {

// Values that are no live kernel handle: null, the invalid value, small integers, a
// forged value in the kernel family, and a handle closed before use.
std::vector<HANDLE> bad_handles() {
  HANDLE closed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  CloseHandle(closed);
  return {nullptr, INVALID_HANDLE_VALUE, reinterpret_cast<HANDLE>(1), reinterpret_cast<HANDLE>(0x1FFF0004),
          reinterpret_cast<HANDLE>(0x7FFFFFFF), closed};
}

TEST(BadHandles, EveryCallFailsWithInvalidHandle) {
  for (HANDLE h : bad_handles()) {
    DWORD count = 0;
    char buffer[4] = {};
    auto expect_invalid = [h](const char* call) {
      EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE) << call << " with " << h;
      SetLastError(0);
    };
    SetLastError(0);
    EXPECT_FALSE(CloseHandle(h));
    expect_invalid("CloseHandle");
    EXPECT_EQ(WaitForSingleObject(h, 0), WAIT_FAILED);
    expect_invalid("WaitForSingleObject");
    EXPECT_FALSE(SetEvent(h));
    expect_invalid("SetEvent");
    EXPECT_FALSE(ResetEvent(h));
    expect_invalid("ResetEvent");
    EXPECT_FALSE(GetExitCodeThread(h, &count));
    expect_invalid("GetExitCodeThread");
    EXPECT_FALSE(ReadFile(h, buffer, sizeof buffer, &count, nullptr));
    expect_invalid("ReadFile");
    EXPECT_FALSE(WriteFile(h, buffer, sizeof buffer, &count, nullptr));
    expect_invalid("WriteFile");
    EXPECT_EQ(SetFilePointer(h, 0, nullptr, FILE_BEGIN), INVALID_SET_FILE_POINTER);
    expect_invalid("SetFilePointer");
    EXPECT_EQ(GetFileSize(h, nullptr), INVALID_FILE_SIZE);
    expect_invalid("GetFileSize");
  }
}

TEST(BadHandles, AHandleOfTheWrongKindIsInvalidForThatCall) {
  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  DWORD count = 0;
  char buffer[4];
  EXPECT_FALSE(ReadFile(event, buffer, sizeof buffer, &count, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(GetExitCodeThread(event, &count));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  // Closing twice: the second close finds nothing.
  EXPECT_TRUE(CloseHandle(event));
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

DWORD WINAPI set_error_and_report(LPVOID parameter) {
  SetLastError(1234);
  *static_cast<DWORD*>(parameter) = GetLastError();
  return 0;
}

TEST(LastError, BelongsToEachThread) {
  SetLastError(42);
  DWORD seen = 0;
  HANDLE thread = CreateThread(nullptr, 0, set_error_and_report, &seen, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  EXPECT_EQ(seen, 1234u);
  EXPECT_EQ(GetLastError(), 42u);
}

}  // namespace
