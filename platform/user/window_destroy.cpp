// DestroyWindow. WM_DESTROY goes to the window first and then down to its children, so
// every child still exists while its parent handles it; WM_NCDESTROY goes the other way,
// children first. Each handle dies right after its WM_NCDESTROY, and whoever is still
// blocked sending to it is released with 0.
#include <vector>

#include "last_error.h"
#include "message_queue.h"
#include "send_message.h"
#include "window_lifecycle.h"
#include "window_state.h"
#include "window_tree.h"

namespace win32::user {
namespace {

std::vector<HWND> children_of(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  return w ? w->children : std::vector<HWND>{};
}

void mark_destroying(HWND hwnd) {
  UserLock lock(user_lock());
  if (Window* w = window_locked(hwnd)) w->life = WindowLife::Destroying;
}

void drop_window(HWND hwnd) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return;
  forget_window_messages_locked(w->thread_id, hwnd);
  erase_subtree_locked(hwnd);
}

// Top-level windows owned by hwnd (directly), on the calling thread.
std::vector<HWND> owned_windows(HWND hwnd) {
  UserLock lock(user_lock());
  std::vector<HWND> owned;
  for (HWND top : top_level_windows_locked()) {
    Window* t = window_locked(top);
    if (t && t->owner == hwnd && t->life != WindowLife::Destroying) owned.push_back(top);
  }
  return owned;
}

}  // namespace

void send_destroy_messages(HWND hwnd) {
  mark_destroying(hwnd);
  send_message(hwnd, WM_DESTROY, 0, 0);
  for (HWND child : children_of(hwnd)) send_destroy_messages(child);
}

void free_window_tree(HWND hwnd) {
  for (HWND child : children_of(hwnd)) free_window_tree(child);
  send_message(hwnd, WM_NCDESTROY, 0, 0);
  drop_window(hwnd);
}

void abandon_creation(HWND hwnd) {
  mark_destroying(hwnd);
  for (HWND child : children_of(hwnd)) {
    send_destroy_messages(child);
    free_window_tree(child);
  }
  send_message(hwnd, WM_NCDESTROY, 0, 0);
  drop_window(hwnd);
}

}  // namespace win32::user

using namespace win32::user;

BOOL WINAPI DestroyWindow(HWND hwnd) {
  {
    UserLock lock(user_lock());
    Window* w = window_locked(hwnd);
    if (!w) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    // Only the thread that created a window may destroy it.
    if (w->thread_id != current_thread_id()) return fail(ERROR_ACCESS_DENIED, FALSE);
    // A second DestroyWindow from inside the first (say from WM_DESTROY) has nothing
    // left to do: the outer call finishes the job.
    if (w->life == WindowLife::Destroying) return TRUE;
    w->life = WindowLife::Destroying;
  }
  notify_parents_of(hwnd, WM_DESTROY);
  for (HWND owned : owned_windows(hwnd)) DestroyWindow(owned);
  prepare_for_destroy(hwnd);
  send_destroy_messages(hwnd);
  free_window_tree(hwnd);
  return TRUE;
}
