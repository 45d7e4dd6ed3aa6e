// Hook chains. A hook is thread-specific (or, with thread id 0, for every thread); the
// most recently installed hook runs first and passes the call on with CallNextHookEx.
#pragma once

#include <win32.h>

namespace win32::user {

// Whether any hook of this type applies to the calling thread.
bool has_hooks(int type);

// Runs the chain of the given type for the calling thread; returns the first hook's
// result, or 0 when the chain is empty. Must be called without the user lock.
LRESULT call_hooks(int type, int code, WPARAM wparam, LPARAM lparam);

// Drops the hooks a finished thread installed. REQUIRES: the user lock.
void remove_thread_hooks_locked(DWORD thread_id);

}  // namespace win32::user
