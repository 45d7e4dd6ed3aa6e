// Shared steps of window creation and destruction.
#pragma once

#include <win32.h>

namespace win32::user {

// Sends WM_DESTROY to the window and then, recursively, to its children (parent first).
void send_destroy_messages(HWND hwnd);

// Sends WM_NCDESTROY to the children and then the window (children first), dropping
// each handle right after its WM_NCDESTROY.
void free_window_tree(HWND hwnd);

// The end of a creation that failed in WM_NCCREATE or WM_CREATE: children made so far
// are destroyed normally; the window itself gets only WM_NCDESTROY.
void abandon_creation(HWND hwnd);

// Sends WM_PARENTNOTIFY(event) up the parent chain of a child window.
void notify_parents_of(HWND hwnd, UINT event);

}  // namespace win32::user
