// The one lock of the window system. It guards the window tree, every window's fields,
// the class registry, the hook chains and every thread's message queue. It is never
// held while a window procedure or a hook runs: code that calls out unlocks first.
#pragma once

#include <mutex>

namespace win32::user {

std::mutex& user_lock();

using UserLock = std::unique_lock<std::mutex>;

}  // namespace win32::user
