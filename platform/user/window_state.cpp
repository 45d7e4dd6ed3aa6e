#include "window_state.h"

#include "user_lock.h"
#include "def_window_proc.h"
#include "window_tree.h"

namespace win32::user {

void show_new_window(HWND hwnd, int) {
  UserLock lock(user_lock());
  if (Window* w = window_locked(hwnd)) w->style |= WS_VISIBLE;
}

void prepare_for_destroy(HWND) {}

}  // namespace win32::user

namespace win32::user {

void after_caption_change(HWND) {}

LRESULT default_window_message(HWND, UINT, WPARAM, LPARAM) { return 0; }

}  // namespace win32::user
