#include "kernel/last_error.h"

DWORD WINAPI GetLastError() { return win32::kernel::last_error; }

VOID WINAPI SetLastError(DWORD dwErrCode) { win32::kernel::set_last_error(dwErrCode); }
