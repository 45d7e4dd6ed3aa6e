// Per-thread message queues. A thread gets its queue on first use; the queue holds the
// messages posted to the thread and its windows, the calls other threads are sending it
// (waiting for it to service them), and the quit request. Waits use the queue's
// condition variable together with the user lock.
#pragma once

#include <win32.h>

#include <condition_variable>
#include <deque>
#include <memory>

#include "user_lock.h"

namespace win32::user {

struct ThreadQueue;

// A SendMessageA from another thread, waiting in the receiver's queue. The sender (if it
// waits at all) sleeps on its own queue until `done`.
struct SentMessage {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
  LRESULT result = 0;
  bool done = false;
  std::shared_ptr<ThreadQueue> sender;  // null for SendNotifyMessageA
};

struct ThreadQueue {
  DWORD thread_id = 0;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> incoming;
  bool quit_requested = false;
  int quit_code = 0;
  std::condition_variable wake;  // new posted or sent message, reply, or quit
  LONG last_message_time = 0;
  DWORD last_message_pos = 0;
  bool alive = true;
};

DWORD current_thread_id();

// The calling thread's queue, made on first use.
std::shared_ptr<ThreadQueue> current_queue();

// The queue of a live thread, or null. REQUIRES: the user lock.
std::shared_ptr<ThreadQueue> queue_of_thread_locked(DWORD thread_id);

// Finishes a sent message with a result and wakes its sender. REQUIRES: the user lock.
void complete_sent_locked(SentMessage& sent, LRESULT result);

// Releases every sender waiting on hwnd with 0 and drops posted messages for it.
// REQUIRES: the user lock.
void forget_window_messages_locked(DWORD owner_thread, HWND hwnd);

// Milliseconds since an arbitrary start, wrapping like GetTickCount.
DWORD message_clock();

// The screen position recorded with each new message (the cursor position).
DWORD message_position_locked();
void set_cursor_position_locked(POINT pt);

}  // namespace win32::user
