// Creation and destruction message sequences, seen through a WH_CALLWNDPROC hook and
// the window procedure, compared with Windows' order.
#include <gtest/gtest.h>

#include "test_windows.h"

using namespace user_test;

namespace {

LRESULT CALLBACK logging_hook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HC_ACTION) {
    auto* cwp = reinterpret_cast<CWPSTRUCT*>(lparam);
    log().add(cwp->message, kHook, cwp->hwnd);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

class Creation : public ::testing::Test {
 protected:
  void SetUp() override {
    register_test_classes();
    log().clear();
    set_override(nullptr);
  }
  void TearDown() override {
    if (hook_) UnhookWindowsHookEx(hook_);
    set_override(nullptr);
  }
  void hook_messages() { hook_ = SetWindowsHookExA(WH_CALLWNDPROC, logging_hook, nullptr, GetCurrentThreadId()); }
  HHOOK hook_ = nullptr;
};

TEST_F(Creation, OverlappedWindowSequenceThroughHookAndProcedure) {
  hook_messages();
  HWND hwnd = CreateWindowExA(0, kLoggingClass, "Caption", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                              nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(log().matches({{WM_GETMINMAXINFO, kHook}, {WM_GETMINMAXINFO, kProc},
                             {WM_NCCREATE, kHook}, {WM_NCCREATE, kProc},
                             {WM_NCCALCSIZE, kHook}, {WM_NCCALCSIZE, kProc},
                             {WM_CREATE, kHook}, {WM_CREATE, kProc}}));
  char text[32];
  EXPECT_EQ(GetWindowTextA(hwnd, text, sizeof text), 7);
  EXPECT_STREQ(text, "Caption");
  EXPECT_TRUE(DestroyWindow(hwnd));
}

TEST_F(Creation, ChildSequenceEndsWithSizeMoveAndParentNotify) {
  HWND parent = CreateWindowExA(0, kLoggingClass, "p", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  log().clear();
  hook_messages();
  HWND child = CreateWindowExA(0, kLoggingClass, "c", WS_CHILD, 1, 2, 30, 40, parent,
                               reinterpret_cast<HMENU>(7), nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(log().matches({{WM_NCCREATE, kHook, child}, {WM_NCCREATE, kProc, child},
                             {WM_NCCALCSIZE, kHook, child}, {WM_NCCALCSIZE, kProc, child},
                             {WM_CREATE, kHook, child}, {WM_CREATE, kProc, child},
                             {WM_SIZE, kHook, child}, {WM_SIZE, kProc, child},
                             {WM_MOVE, kHook, child}, {WM_MOVE, kProc, child},
                             {WM_PARENTNOTIFY, kHook, parent}, {WM_PARENTNOTIFY, kProc, parent}}));
  EXPECT_EQ(GetDlgItem(parent, 7), child);
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  EXPECT_EQ(GetParent(child), parent);
  EXPECT_TRUE(IsChild(parent, child));
  DestroyWindow(parent);
}

// The framework's creation hook: on the first message it swaps in its own procedure and
// removes itself, using the old hook calls.
LRESULT CALLBACK replacement_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  log().add(message, kProc, hwnd);
  return DefWindowProcA(hwnd, message, wparam, lparam);
}
LRESULT CALLBACK subclassing_hook(int code, WPARAM wparam, LPARAM lparam) {
  if (code < 0) return CallNextHookEx(nullptr, code, wparam, lparam);
  auto* cwp = reinterpret_cast<CWPSTRUCT*>(lparam);
  log().add(cwp->message, kHook, cwp->hwnd);
  SetWindowLongPtrA(cwp->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(replacement_proc));
  UnhookWindowsHook(WH_CALLWNDPROC, subclassing_hook);
  return 0;
}
int original_calls = 0;
LRESULT CALLBACK original_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  ++original_calls;
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

TEST_F(Creation, ProcedureReplacedInsideTheHookReceivesTheHookedMessage) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = original_proc;
  wc.lpszClassName = "TestSubclassedInHook";
  ASSERT_NE(RegisterClassA(&wc), 0);
  for (DWORD style : {DWORD(WS_OVERLAPPEDWINDOW), DWORD(WS_POPUP)}) {
    log().clear();
    original_calls = 0;
    ASSERT_NE(SetWindowsHookA(WH_CALLWNDPROC, subclassing_hook), nullptr);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "x", style, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
    ASSERT_NE(hwnd, nullptr);
    UINT first = style == WS_POPUP ? WM_NCCREATE : WM_GETMINMAXINFO;
    std::vector<LoggedMessage> expected{{first, kHook}, {first, kProc}};
    if (first == WM_GETMINMAXINFO) expected.push_back({WM_NCCREATE, kProc});
    expected.insert(expected.end(), {{WM_NCCALCSIZE, kProc}, {WM_CREATE, kProc}});
    if (style == WS_POPUP) expected.insert(expected.end(), {{WM_SIZE, kProc}, {WM_MOVE, kProc}});
    EXPECT_TRUE(log().matches(expected));
    EXPECT_EQ(original_calls, 0);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(replacement_proc));
    DestroyWindow(hwnd);
  }
  EXPECT_FALSE(UnhookWindowsHook(WH_CALLWNDPROC, subclassing_hook));
  EXPECT_TRUE(UnregisterClassA(wc.lpszClassName, nullptr));
}

TEST_F(Creation, FailedCreationGetsNcDestroyButNoDestroy) {
  struct Case {
    UINT refusing_message;
    LRESULT refusal;
    std::vector<LoggedMessage> expected;
  };
  const Case cases[] = {
      {WM_NCCREATE, FALSE, {{WM_GETMINMAXINFO, kProc}, {WM_NCCREATE, kProc}, {WM_NCDESTROY, kProc}}},
      {WM_CREATE, -1,
       {{WM_GETMINMAXINFO, kProc}, {WM_NCCREATE, kProc}, {WM_NCCALCSIZE, kProc}, {WM_CREATE, kProc},
        {WM_NCDESTROY, kProc}}},
  };
  for (const Case& c : cases) {
    log().clear();
    HWND seen = nullptr;
    set_override([&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT* result) {
      seen = hwnd;
      if (message != c.refusing_message) return false;
      *result = c.refusal;
      return true;
    });
    EXPECT_EQ(CreateWindowExA(0, kLoggingClass, "no", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr,
                              nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_TRUE(log().matches(c.expected));
    EXPECT_FALSE(IsWindow(seen));
  }
}

TEST_F(Creation, VisibleWindowsAreShownAtTheEndOfCreation) {
  HWND popup = CreateWindowExA(0, kLoggingClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  ASSERT_NE(popup, nullptr);
  log().drop({WM_NCPAINT, WM_GETTEXT});
  EXPECT_TRUE(log().matches({{WM_NCCREATE, kProc}, {WM_NCCALCSIZE, kProc}, {WM_CREATE, kProc}, {WM_SIZE, kProc},
                             {WM_MOVE, kProc}, {WM_SHOWWINDOW, kProc}, {WM_WINDOWPOSCHANGING, kProc},
                             {WM_ACTIVATEAPP, kProc}, {WM_NCACTIVATE, kProc}, {WM_ACTIVATE, kProc},
                             {WM_SETFOCUS, kProc}, {WM_WINDOWPOSCHANGED, kProc}}));
  log().clear();
  HWND child = CreateWindowExA(WS_EX_NOPARENTNOTIFY, kLoggingClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, popup,
                               nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  EXPECT_TRUE(log().matches({{WM_NCCREATE, kProc}, {WM_NCCALCSIZE, kProc}, {WM_CREATE, kProc}, {WM_SIZE, kProc},
                             {WM_MOVE, kProc}, {WM_SHOWWINDOW, kProc}, {WM_WINDOWPOSCHANGING, kProc},
                             {WM_WINDOWPOSCHANGED, kProc}}));
  DestroyWindow(popup);
}

TEST_F(Creation, BadArgumentsFailWithWin32Errors) {
  SetLastError(0);
  EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  EXPECT_EQ(CreateWindowExA(0, kPlainClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
  HWND stale = make_top_level();
  DestroyWindow(stale);
  EXPECT_EQ(CreateWindowExA(0, kPlainClass, "", WS_CHILD, 0, 0, 1, 1, stale, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  // A popup whose child bit comes with no parent is fine.
  HWND popup = CreateWindowExA(0, kPlainClass, "", WS_CHILD | WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(popup, nullptr);
  EXPECT_EQ(GetParent(popup), nullptr);
  DestroyWindow(popup);
}

TEST_F(Creation, DestroyGoesParentFirstThenChildrenFirst) {
  HWND parent = make_top_level(kLoggingClass);
  HWND child = make_child(parent, 1, kLoggingClass);
  HWND grandchild = make_child(child, 2, kLoggingClass);
  HWND owned = CreateWindowExA(0, kLoggingClass, "owned", WS_POPUP, 0, 0, 10, 10, parent, nullptr,
                               nullptr, nullptr);
  ASSERT_TRUE(parent && child && grandchild && owned);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), parent);
  log().clear();
  EXPECT_TRUE(DestroyWindow(parent));
  EXPECT_TRUE(log().matches({{WM_DESTROY, kProc, owned}, {WM_NCDESTROY, kProc, owned},
                             {WM_DESTROY, kProc, parent}, {WM_DESTROY, kProc, child},
                             {WM_DESTROY, kProc, grandchild}, {WM_NCDESTROY, kProc, grandchild},
                             {WM_NCDESTROY, kProc, child}, {WM_NCDESTROY, kProc, parent}}));
  for (HWND h : {parent, child, grandchild, owned}) EXPECT_FALSE(IsWindow(h));
  SetLastError(0);
  EXPECT_FALSE(DestroyWindow(parent));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
}

TEST_F(Creation, DestroyingAChildTellsItsParentFirst) {
  HWND parent = make_top_level(kLoggingClass);
  HWND child = make_child(parent, 3, kLoggingClass);
  log().clear();
  EXPECT_TRUE(DestroyWindow(child));
  EXPECT_TRUE(log().matches({{WM_PARENTNOTIFY, kProc, parent}, {WM_DESTROY, kProc, child},
                             {WM_NCDESTROY, kProc, child}}));
  EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
  DestroyWindow(parent);
}

TEST_F(Creation, CloseThroughDefWindowProcDestroys) {
  HWND hwnd = make_top_level(kLoggingClass);
  log().clear();
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(log().matches({{WM_CLOSE, kProc}, {WM_DESTROY, kProc}, {WM_NCDESTROY, kProc}}));
}

// Hook chains: newest first, CallNextHookEx reaches the older one, an unhooked hook is
// never called again, and a hook for another thread sees nothing here.
int older_calls = 0, newer_calls = 0;
LRESULT CALLBACK older_hook(int code, WPARAM w, LPARAM l) {
  ++older_calls;
  return CallNextHookEx(nullptr, code, w, l);
}
LRESULT CALLBACK newer_hook(int code, WPARAM w, LPARAM l) {
  ++newer_calls;
  EXPECT_EQ(older_calls, newer_calls - 1);
  EXPECT_NE(w, 0u);  // sent by this thread
  return CallNextHookEx(nullptr, code, w, l);
}

TEST_F(Creation, HookChainsRunNewestFirstAndStopWhenUnhooked) {
  HWND hwnd = make_top_level();
  older_calls = newer_calls = 0;
  HHOOK older = SetWindowsHookExA(WH_CALLWNDPROC, older_hook, nullptr, GetCurrentThreadId());
  HHOOK newer = SetWindowsHookExA(WH_CALLWNDPROC, newer_hook, nullptr, GetCurrentThreadId());
  SendMessageA(hwnd, WM_USER, 0, 0);
  EXPECT_EQ(newer_calls, 1);
  EXPECT_EQ(older_calls, 1);
  EXPECT_TRUE(UnhookWindowsHookEx(newer));
  EXPECT_FALSE(UnhookWindowsHookEx(newer));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_HANDLE));
  SendMessageA(hwnd, WM_USER, 0, 0);
  EXPECT_EQ(newer_calls, 1);
  EXPECT_EQ(older_calls, 2);
  EXPECT_TRUE(UnhookWindowsHookEx(older));
  // Posted messages never pass the WH_CALLWNDPROC chain.
  HHOOK again = SetWindowsHookExA(WH_CALLWNDPROC, older_hook, nullptr, GetCurrentThreadId());
  PostMessageA(hwnd, WM_USER, 0, 0);
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_EQ(older_calls, 2);
  UnhookWindowsHookEx(again);
  EXPECT_EQ(SetWindowsHookExA(WH_CALLWNDPROC, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(SetWindowsHookExA(99, older_hook, nullptr, 0), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HOOK_FILTER));
  DestroyWindow(hwnd);
}

}  // namespace
