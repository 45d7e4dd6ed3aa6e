// Per-thread message queues. A thread gets its queue on first use; the queue holds the
// messages posted to the thread and its windows, the calls other threads are sending it
// (waiting for it to service them), and the quit request. Waits use the queue's
// condition variable together with the user lock.
#pragma once

#include <win32.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

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

// A piece of the person's input on its way to a window: a mouse event at a screen
// point or a key. It becomes a message (client or non-client, after hit testing and
// activation) when the owner thread retrieves it.
struct InputEvent {
  enum class Kind { Mouse, Key, Wheel } kind = Kind::Mouse;
  HWND target = nullptr;
  UINT message = 0;  // WM_MOUSEMOVE, WM_xBUTTONDOWN/UP, WM_KEYDOWN/UP, WM_MOUSEWHEEL
  POINT screen{};
  WPARAM key = 0;   // the virtual key
  LPARAM key_data = 0;
  int typed = -1;   // the layout's character for a key down, -1 when not known
  int wheel = 0;    // WM_MOUSEWHEEL: the distance turned, in WHEEL_DELTA steps per notch
  DWORD time = 0;
  bool converted = false;
  bool dropped = false;
  MSG msg{};
};

// A SetTimer timer. Its WM_TIMER is made when due and nothing else is waiting; taking
// it schedules the next one, so a slow thread gets one WM_TIMER, not a backlog.
struct Timer {
  HWND hwnd = nullptr;
  UINT_PTR id = 0;
  UINT interval_ms = 0;
  TIMERPROC proc = nullptr;
  std::chrono::steady_clock::time_point due;
};

struct ThreadQueue {
  DWORD thread_id = 0;
  std::deque<MSG> posted;
  std::deque<std::shared_ptr<SentMessage>> incoming;
  bool quit_requested = false;
  int quit_code = 0;
  std::condition_variable wake;  // new posted or sent message, reply, input, paint or timer
  // Counts signal() calls. A retrieval that drops the lock on its way (to paint a frame or
  // run a sent message) compares it before sleeping, so a wake-up given meanwhile is not lost.
  std::uint64_t signals = 0;
  LONG last_message_time = 0;
  DWORD last_message_pos = 0;
  std::deque<InputEvent> input;
  std::vector<Timer> timers;
  bool idle = false;  // waiting in GetMessageA/WaitMessage with nothing to do
  bool alive = true;

  // Wakes the thread waiting on this queue. REQUIRES: the user lock.
  void signal() {
    ++signals;
    wake.notify_all();
  }
};

DWORD current_thread_id();

// Signalled whenever a thread starts or stops waiting idle for messages.
std::condition_variable& idle_changed();

// Whether the thread waits for messages with nothing at all to do. REQUIRES: the lock.
bool thread_idle_locked(DWORD thread_id);

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
