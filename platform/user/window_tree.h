// The window table and the tree of windows: parent/child links in z-order, the list of
// top-level windows, and lookups by handle. Everything here requires the user lock.
#pragma once

#include <win32.h>

#include <memory>
#include <vector>

#include "window.h"

namespace win32::user {

// The window of a live handle, or null. The pointer stays valid while the lock is held.
Window* window_locked(HWND hwnd);
std::shared_ptr<Window> window_ref_locked(HWND hwnd);

// Enters a new window into the table and links it: a child at the bottom of its
// parent's children, a top-level window at the top. Returns its handle, or null when
// the table is full.
HWND insert_window_locked(std::shared_ptr<Window> window);

// Unlinks the window from its parent (or the top-level list) and drops its handle.
// Children must already be gone.
void erase_window_locked(HWND hwnd);

// Drops the window and all its descendants without any message.
void erase_subtree_locked(HWND hwnd);

// The sibling list the window sits in (its parent's children or the top-level list).
std::vector<HWND>& siblings_locked(const Window& window);
std::vector<HWND>& top_level_windows_locked();

// All live windows created by the thread, parents before their children.
std::vector<HWND> windows_of_thread_locked(DWORD thread_id);

// Whether `hwnd` is a descendant of `ancestor` through parent links.
bool is_descendant_locked(HWND ancestor, HWND hwnd);

// The top-level window that contains hwnd (hwnd itself when it is top-level).
HWND top_level_of_locked(HWND hwnd);

inline HWND to_hwnd(std::uintptr_t value) { return reinterpret_cast<HWND>(value); }
inline std::uintptr_t from_hwnd(HWND hwnd) { return reinterpret_cast<std::uintptr_t>(hwnd); }

}  // namespace win32::user
