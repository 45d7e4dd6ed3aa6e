// The last-error code belongs to each thread, as in Win32.
#include "win32.h"

namespace {
thread_local DWORD last_error = 0;
}

DWORD WINAPI GetLastError() { return last_error; }

VOID WINAPI SetLastError(DWORD dwErrCode) { last_error = dwErrCode; }
