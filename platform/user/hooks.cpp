// Hook installation and chain calls. A chain call takes a snapshot of the chain, so a
// hook that unhooks itself (as the framework's creation hook does) or installs another
// one while it runs changes only later calls; a hook removed before its turn is skipped.
#include "hooks.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "common/handle_table.h"
#include "last_error.h"
#include "message_queue.h"
#include "user_lock.h"

namespace win32::user {
namespace {

struct Hook {
  HHOOK handle = nullptr;
  int type = 0;
  HOOKPROC proc = nullptr;
  DWORD thread_id = 0;  // 0: every thread
  bool removed = false;
};

struct Hooks {
  HandleTable<Hook> table{HandleFamily::Hook};
  std::vector<std::shared_ptr<Hook>> chain;  // newest first, all types
};

Hooks& hooks() {
  static Hooks* h = new Hooks;
  return *h;
}

// The chain calls in progress on this thread, innermost last, so CallNextHookEx knows
// which snapshot it continues.
struct ChainCall {
  std::vector<std::shared_ptr<Hook>> snapshot;
  size_t position = 0;
};
thread_local std::vector<ChainCall*> chain_calls;

bool applies(const Hook& h, int type, DWORD thread) {
  return !h.removed && h.type == type && (h.thread_id == 0 || h.thread_id == thread);
}

bool supported_type(int type) {
  return type == WH_CALLWNDPROC || type == WH_CALLWNDPROCRET || type == WH_GETMESSAGE ||
         type == WH_MSGFILTER || type == WH_CBT || type == WH_KEYBOARD || type == WH_MOUSE;
}

void unlink_locked(const std::shared_ptr<Hook>& hook) {
  hook->removed = true;
  auto& chain = hooks().chain;
  chain.erase(std::remove(chain.begin(), chain.end(), hook), chain.end());
  hooks().table.erase(reinterpret_cast<std::uintptr_t>(hook->handle));
}

// Calls the next live hook of the snapshot from `from` on; 0 when none is left.
LRESULT run_from(ChainCall& call, size_t from, int code, WPARAM wparam, LPARAM lparam) {
  HOOKPROC proc = nullptr;
  {
    UserLock lock(user_lock());
    for (size_t i = from; i < call.snapshot.size(); ++i) {
      if (call.snapshot[i]->removed) continue;
      call.position = i;
      proc = call.snapshot[i]->proc;
      break;
    }
  }
  return proc ? proc(code, wparam, lparam) : 0;
}

}  // namespace

bool has_hooks(int type) {
  DWORD thread = current_thread_id();
  UserLock lock(user_lock());
  for (auto& h : hooks().chain)
    if (applies(*h, type, thread)) return true;
  return false;
}

LRESULT call_hooks(int type, int code, WPARAM wparam, LPARAM lparam) {
  DWORD thread = current_thread_id();
  ChainCall call;
  {
    UserLock lock(user_lock());
    for (auto& h : hooks().chain)
      if (applies(*h, type, thread)) call.snapshot.push_back(h);
  }
  if (call.snapshot.empty()) return 0;
  chain_calls.push_back(&call);
  struct Pop {
    ~Pop() { chain_calls.pop_back(); }
  } pop;
  return run_from(call, 0, code, wparam, lparam);
}

void remove_thread_hooks_locked(DWORD thread_id) {
  auto chain = hooks().chain;
  for (auto& h : chain)
    if (h->thread_id == thread_id) unlink_locked(h);
}

}  // namespace win32::user

using namespace win32::user;

HHOOK WINAPI SetWindowsHookExA(int type, HOOKPROC proc, HINSTANCE, DWORD thread_id) {
  if (!supported_type(type)) return fail(ERROR_INVALID_HOOK_FILTER, HHOOK{nullptr});
  if (!proc) return fail(ERROR_INVALID_FILTER_PROC, HHOOK{nullptr});
  if (thread_id != 0) {
    UserLock lock(user_lock());
    if (thread_id != current_thread_id() && !queue_of_thread_locked(thread_id))
      return fail(ERROR_INVALID_PARAMETER, HHOOK{nullptr});
  }
  auto hook = std::make_shared<Hook>();
  hook->type = type;
  hook->proc = proc;
  hook->thread_id = thread_id;
  UserLock lock(user_lock());
  hook->handle = reinterpret_cast<HHOOK>(hooks().table.insert(hook));
  if (!hook->handle) return fail(ERROR_NOT_ENOUGH_MEMORY, HHOOK{nullptr});
  hooks().chain.insert(hooks().chain.begin(), hook);
  return hook->handle;
}

// The old form installs a hook for the calling thread.
HHOOK WINAPI SetWindowsHookA(int type, HOOKPROC proc) {
  return SetWindowsHookExA(type, proc, nullptr, current_thread_id());
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK handle) {
  UserLock lock(user_lock());
  auto hook = hooks().table.find(reinterpret_cast<std::uintptr_t>(handle));
  if (!hook) return fail(ERROR_INVALID_HOOK_HANDLE, FALSE);
  unlink_locked(hook);
  return TRUE;
}

// The old form finds the calling thread's newest hook of that type and procedure.
BOOL WINAPI UnhookWindowsHook(int type, HOOKPROC proc) {
  DWORD thread = current_thread_id();
  UserLock lock(user_lock());
  for (auto& h : hooks().chain) {
    if (h->type == type && h->proc == proc && (h->thread_id == thread || h->thread_id == 0)) {
      unlink_locked(std::shared_ptr<Hook>(h));
      return TRUE;
    }
  }
  return fail(ERROR_HOOK_NOT_INSTALLED, FALSE);
}

LRESULT WINAPI CallNextHookEx(HHOOK handle, int code, WPARAM wparam, LPARAM lparam) {
  if (chain_calls.empty()) return 0;
  ChainCall& call = *chain_calls.back();
  size_t from = call.position + 1;
  for (size_t i = 0; i < call.snapshot.size(); ++i) {
    if (call.snapshot[i]->handle == handle) {
      from = i + 1;
      break;
    }
  }
  return run_from(call, from, code, wparam, lparam);
}
