// SendMessageA and its relatives. Inter-thread sends wait on the sender's own queue, and
// while waiting the sender services calls sent to it, so two threads sending to each
// other do not deadlock.
#include "send_message.h"

#include <chrono>
#include <optional>
#include <vector>

#include "hooks.h"
#include "last_error.h"
#include "window_tree.h"

namespace win32::user {
namespace {

// Inter-thread calls being serviced on this thread, innermost last (InSendMessage,
// ReplyMessage).
thread_local std::vector<std::shared_ptr<SentMessage>> incoming_calls;

struct Target {
  DWORD thread_id = 0;
  WNDPROC proc = nullptr;
};

bool find_target(HWND hwnd, Target* out) {
  UserLock lock(user_lock());
  Window* w = window_locked(hwnd);
  if (!w) return false;
  out->thread_id = w->thread_id;
  out->proc = w->proc;
  return true;
}

// Queues the call on the owner's queue. Returns null (error set) when the owner is gone.
std::shared_ptr<SentMessage> queue_call(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        DWORD owner, std::shared_ptr<ThreadQueue> sender,
                                        UserLock& lock) {
  auto receiver = queue_of_thread_locked(owner);
  if (!receiver || !window_locked(hwnd)) return fail(ERROR_INVALID_WINDOW_HANDLE, nullptr);
  auto sent = std::make_shared<SentMessage>();
  sent->hwnd = hwnd;
  sent->message = message;
  sent->wparam = wparam;
  sent->lparam = lparam;
  sent->sender = std::move(sender);
  receiver->incoming.push_back(sent);
  receiver->signal();
  return sent;
}

// Waits for the reply, servicing calls sent to this thread meanwhile. Returns false
// when the deadline passed first. REQUIRES: the user lock, held by `lock`.
bool wait_for_reply(SentMessage& sent, ThreadQueue& own, UserLock& lock,
                    const std::optional<std::chrono::steady_clock::time_point>& deadline) {
  while (!sent.done) {
    if (!own.incoming.empty()) {
      deliver_sent_messages(own, lock);
      continue;
    }
    if (!deadline) {
      own.wake.wait(lock);
    } else if (own.wake.wait_until(lock, *deadline) == std::cv_status::timeout && !sent.done &&
               own.incoming.empty()) {
      return false;
    }
  }
  return true;
}

}  // namespace

LRESULT call_window_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                              bool from_this_thread) {
  if (has_hooks(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lparam, wparam, message, hwnd};
    call_hooks(WH_CALLWNDPROC, HC_ACTION, from_this_thread ? 1 : 0,
               reinterpret_cast<LPARAM>(&cwp));
  }
  Target target;
  if (!find_target(hwnd, &target) || !target.proc) return 0;
  LRESULT result = target.proc(hwnd, message, wparam, lparam);
  if (has_hooks(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{result, lparam, wparam, message, hwnd};
    call_hooks(WH_CALLWNDPROCRET, HC_ACTION, from_this_thread ? 1 : 0,
               reinterpret_cast<LPARAM>(&ret));
  }
  return result;
}

void deliver_sent_messages(ThreadQueue& queue, UserLock& lock) {
  while (!queue.incoming.empty()) {
    std::shared_ptr<SentMessage> sent = queue.incoming.front();
    queue.incoming.pop_front();
    lock.unlock();
    incoming_calls.push_back(sent);
    LRESULT result = call_window_procedure(sent->hwnd, sent->message, sent->wparam,
                                           sent->lparam, false);
    incoming_calls.pop_back();
    lock.lock();
    complete_sent_locked(*sent, result);
  }
}

LRESULT send_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Target target;
  if (!find_target(hwnd, &target)) return fail(ERROR_INVALID_WINDOW_HANDLE, LRESULT{0});
  if (target.thread_id == current_thread_id())
    return call_window_procedure(hwnd, message, wparam, lparam, true);
  auto own = current_queue();
  UserLock lock(user_lock());
  auto sent = queue_call(hwnd, message, wparam, lparam, target.thread_id, own, lock);
  if (!sent) return 0;
  wait_for_reply(*sent, *own, lock, std::nullopt);
  return sent->result;
}

}  // namespace win32::user

using namespace win32::user;

LRESULT WINAPI SendMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  return send_message(hwnd, message, wparam, lparam);
}

LRESULT WINAPI SendMessageTimeoutA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT,
                                   UINT timeout_ms, PDWORD_PTR result) {
  Target target;
  if (!find_target(hwnd, &target)) return fail(ERROR_INVALID_WINDOW_HANDLE, LRESULT{0});
  LRESULT value = 0;
  if (target.thread_id == current_thread_id()) {
    value = call_window_procedure(hwnd, message, wparam, lparam, true);
  } else {
    auto own = current_queue();
    UserLock lock(user_lock());
    auto sent = queue_call(hwnd, message, wparam, lparam, target.thread_id, own, lock);
    if (!sent) return 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    if (!wait_for_reply(*sent, *own, lock, deadline)) {
      // The call stays queued and runs later; its result is dropped.
      sent->sender.reset();
      return fail(ERROR_TIMEOUT, LRESULT{0});
    }
    value = sent->result;
  }
  if (result) *result = static_cast<DWORD_PTR>(value);
  return 1;
}

BOOL WINAPI SendNotifyMessageA(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  Target target;
  if (!find_target(hwnd, &target)) return fail(ERROR_INVALID_WINDOW_HANDLE, FALSE);
  if (target.thread_id == current_thread_id()) {
    call_window_procedure(hwnd, message, wparam, lparam, true);
    return TRUE;
  }
  UserLock lock(user_lock());
  return queue_call(hwnd, message, wparam, lparam, target.thread_id, nullptr, lock) ? TRUE : FALSE;
}

BOOL WINAPI InSendMessage(void) { return incoming_calls.empty() ? FALSE : TRUE; }

BOOL WINAPI ReplyMessage(LRESULT result) {
  if (incoming_calls.empty()) return FALSE;
  UserLock lock(user_lock());
  SentMessage& sent = *incoming_calls.back();
  if (sent.done) return FALSE;
  complete_sent_locked(sent, result);
  return TRUE;
}
