// The last-error code belongs to each thread, as in Win32. The platform's own hot paths
// (file transfers) set it here directly: one store into this thread's storage instead
// of a call into another unit.
#pragma once

#include "win32.h"

namespace win32::kernel {

inline thread_local DWORD last_error = 0;

inline void set_last_error(DWORD error) { last_error = error; }

}  // namespace win32::kernel
