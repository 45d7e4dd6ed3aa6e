// Reporting failures the Win32 way from inside the window system.
#pragma once

#include <win32.h>

namespace win32::user {

// Sets the calling thread's last error and returns the given failure value, so a
// failing call reads `return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);`.
template <typename T>
T fail(DWORD error, T result) {
  SetLastError(error);
  return result;
}

}  // namespace win32::user
