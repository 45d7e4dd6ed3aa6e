// Queue lifetime: made on a thread's first use of the window system, retired when the
// thread ends. A thread that ends takes its windows with it and releases everyone who
// is still waiting for it to service a sent message.
#include "message_queue.h"

#include <chrono>
#include <unordered_map>

#include "generated_messages.h"
#include "hooks.h"
#include "window_tree.h"

namespace win32::user {
namespace {

struct QueueRegistry {
  std::unordered_map<DWORD, std::shared_ptr<ThreadQueue>> by_thread;
  POINT cursor{};
};

QueueRegistry& registry() {
  static QueueRegistry* r = new QueueRegistry;
  return *r;
}

void retire_queue(const std::shared_ptr<ThreadQueue>& queue) {
  UserLock lock(user_lock());
  queue->alive = false;
  queue->idle = true;
  idle_changed().notify_all();
  registry().by_thread.erase(queue->thread_id);
  // The thread's windows go without messages: nobody is left to run their procedures.
  std::vector<HWND> windows = windows_of_thread_locked(queue->thread_id);
  for (auto it = windows.rbegin(); it != windows.rend(); ++it) erase_subtree_locked(*it);
  for (auto& sent : queue->incoming) complete_sent_locked(*sent, 0);
  queue->incoming.clear();
  queue->posted.clear();
  remove_thread_hooks_locked(queue->thread_id);
}

// Retires the thread's queue when the thread ends.
struct QueueBinding {
  std::shared_ptr<ThreadQueue> queue;
  ~QueueBinding() {
    if (queue) retire_queue(queue);
  }
};

thread_local QueueBinding binding;

}  // namespace

DWORD current_thread_id() { return GetCurrentThreadId(); }

std::condition_variable& idle_changed() {
  static auto* cv = new std::condition_variable;
  return *cv;
}

std::shared_ptr<ThreadQueue> current_queue() {
  if (binding.queue) return binding.queue;
  auto queue = std::make_shared<ThreadQueue>();
  queue->thread_id = current_thread_id();
  {
    UserLock lock(user_lock());
    registry().by_thread[queue->thread_id] = queue;
  }
  binding.queue = queue;
  return queue;
}

std::shared_ptr<ThreadQueue> queue_of_thread_locked(DWORD thread_id) {
  auto it = registry().by_thread.find(thread_id);
  return it == registry().by_thread.end() ? nullptr : it->second;
}

void complete_sent_locked(SentMessage& sent, LRESULT result) {
  if (sent.done) return;
  sent.result = result;
  sent.done = true;
  if (sent.sender) sent.sender->signal();
}

void forget_window_messages_locked(DWORD owner_thread, HWND hwnd) {
  auto queue = queue_of_thread_locked(owner_thread);
  if (!queue) return;
  for (auto it = queue->incoming.begin(); it != queue->incoming.end();) {
    if ((*it)->hwnd == hwnd) {
      complete_sent_locked(**it, 0);
      it = queue->incoming.erase(it);
    } else {
      ++it;
    }
  }
  for (auto it = queue->posted.begin(); it != queue->posted.end();) {
    it = it->hwnd == hwnd ? queue->posted.erase(it) : it + 1;
  }
  std::erase_if(queue->timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

DWORD message_clock() {
  using namespace std::chrono;
  auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<DWORD>(static_cast<std::uint64_t>(ms));
}

DWORD message_position_locked() {
  const POINT& p = registry().cursor;
  return static_cast<DWORD>(MAKELONG(static_cast<SHORT>(p.x), static_cast<SHORT>(p.y)));
}

bool thread_idle_locked(DWORD thread_id) {
  auto queue = queue_of_thread_locked(thread_id);
  if (!queue) return true;
  return queue->idle && queue->posted.empty() && queue->incoming.empty() && queue->input.empty() &&
         !queue->quit_requested && !(generated_message_status_locked(*queue) & QS_PAINT);
}

void set_cursor_position_locked(POINT pt) { registry().cursor = pt; }

}  // namespace win32::user
