#include "user_lock.h"

namespace win32::user {

std::mutex& user_lock() {
  // Never destroyed: threads may still leave the window system during static teardown.
  static std::mutex* lock = new std::mutex;
  return *lock;
}

}  // namespace win32::user
