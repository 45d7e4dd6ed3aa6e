// Binding window objects to windows: the creation hook attaches the object at the
// window's first message, subclassing keeps the earlier procedure in the class's slot,
// exceptions escaping handlers stop at the window procedure, and destruction unbinds
// (and for the main window ends the message loop).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/except.h"
#include "framework/handle_map.h"
#include "framework/support/framework_env.h"

namespace {

CWinApp windowsTestApp("windows test");

// Logs every message it receives and whether it was bound at that moment.
class LoggingWnd : public CWnd {
 public:
  struct Seen {
    UINT message;
    bool bound;
  };
  std::vector<Seen> seen;
  bool throwOnCreate = false;
  bool throwOnUser = false;
  CWnd* childMadeInCreate = nullptr;

  using CWnd::CreateEx;

  ~LoggingWnd() override { delete childMadeInCreate; }

  LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    seen.push_back({nMsg, FromHandlePermanent(afxCurrentMsg.hwnd) == this});
    return CWnd::WindowProc(nMsg, wParam, lParam);
  }
  int OnCreate(LPCREATESTRUCT) {
    if (throwOnCreate) AfxThrowResourceException();
    // A nested creation sets its own hook: the first one is gone by now.
    auto* child = new CWnd;
    if (child->Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 20, 20), this, 7)) {
      childMadeInCreate = child;
    } else {
      delete child;
    }
    return 0;
  }
  LRESULT OnUser(WPARAM, LPARAM) {
    if (throwOnUser) AfxThrowNotSupportedException();
    return 55;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LoggingWnd, CWnd)
  ON_WM_CREATE()
  ON_MESSAGE(WM_USER, OnUser)
END_MESSAGE_MAP()

// A window object for a system class: it needs a super-procedure slot of its own.
class SubclassedButton : public CWnd {
 public:
  static WNDPROC pfnSuper;
  WNDPROC* GetSuperWndProcAddr() override { return &pfnSuper; }
};
WNDPROC SubclassedButton::pfnSuper = nullptr;

class Creation : public ::testing::Test {
 protected:
  void SetUp() override {
    fw_test::StartFramework();
    fw_test::Pump();
  }
  void TearDown() override {
    fw_test::Pump();
    fw_test::TakeQuit();
    windowsTestApp.pMainWnd = nullptr;
  }
};

TEST_F(Creation, HookAttachesAtTheFirstMessageOfAnOverlappedWindow) {
  LoggingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, _afxWnd, "top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr));
  ASSERT_FALSE(wnd.seen.empty());
  // The hook's own message already reaches the object, bound.
  EXPECT_EQ(wnd.seen.front().message, static_cast<UINT>(WM_GETMINMAXINFO));
  for (const auto& s : wnd.seen) EXPECT_TRUE(s.bound) << s.message;
  EXPECT_EQ(CWnd::FromHandlePermanent(wnd.hWnd), &wnd);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(wnd.hWnd, GWLP_WNDPROC)), &AfxWndProc);
  EXPECT_EQ(afxHookedWnd, nullptr);

  // WM_CREATE made a child with its own hook, a plain AfxWnd with WS_CHILD forced on.
  ASSERT_NE(wnd.childMadeInCreate, nullptr);
  HWND child = wnd.childMadeInCreate->hWnd;
  EXPECT_EQ(GetParent(child), wnd.hWnd);
  EXPECT_EQ(GetDlgCtrlID(child), 7);
  EXPECT_TRUE(GetWindowLongA(child, GWL_STYLE) & WS_CHILD);
  char className[32] = {};
  GetClassNameA(child, className, sizeof(className));
  EXPECT_STREQ(className, "AfxWnd");
  // The framework's own classes leave the shared slot empty.
  EXPECT_EQ(*CWnd().GetSuperWndProcAddr(), nullptr);

  // Deleting a bound object destroys its window; the child goes with its parent.
  delete wnd.childMadeInCreate;
  wnd.childMadeInCreate = nullptr;
  EXPECT_FALSE(IsWindow(child));
  HWND top = wnd.hWnd;
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_FALSE(IsWindow(top));
  EXPECT_EQ(wnd.hWnd, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(top), nullptr);
}

TEST_F(Creation, AChildIsFirstSeenAtNcCreate) {
  LoggingWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, _afxWnd, "p", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr));
  LoggingWnd child;
  ASSERT_TRUE(child.Create(nullptr, "c", 0, CRect(1, 2, 31, 22), &parent, 3));
  ASSERT_FALSE(child.seen.empty());
  EXPECT_EQ(child.seen.front().message, static_cast<UINT>(WM_NCCREATE));
  RECT rect;
  GetWindowRect(child.hWnd, &rect);
  EXPECT_EQ(rect.right - rect.left, 30);
  EXPECT_EQ(rect.bottom - rect.top, 20);
}

TEST_F(Creation, SystemClassProcedureLandsInTheClassSlotAndStillDoesTheWork) {
  LoggingWnd parent;
  ASSERT_TRUE(parent.CreateEx(0, _afxWnd, "p", WS_OVERLAPPEDWINDOW, 0, 0, 100, 80, nullptr, nullptr));
  SubclassedButton button;
  ASSERT_TRUE(button.Create("Button", "Press", BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 9));
  ASSERT_NE(SubclassedButton::pfnSuper, nullptr);
  EXPECT_NE(SubclassedButton::pfnSuper, &AfxWndProc);
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button.hWnd, GWLP_WNDPROC)), &AfxWndProc);
  // Unhandled messages reach the button's own procedure through the slot.
  EXPECT_EQ(button.SendMessageA(BM_SETCHECK, BST_CHECKED, 0), 0);
  SetWindowTextA(button.hWnd, "Changed");
  char text[16] = {};
  GetWindowTextA(button.hWnd, text, sizeof(text));
  EXPECT_STREQ(text, "Changed");
}

TEST_F(Creation, FailedCreationRemovesTheHookAndBindsNothing) {
  LoggingWnd wnd;
  EXPECT_FALSE(wnd.CreateEx(0, "NoSuchClass", "x", 0, 0, 0, 10, 10, nullptr, nullptr));
  EXPECT_EQ(afxHookedWnd, nullptr);
  EXPECT_EQ(wnd.hWnd, nullptr);
  EXPECT_TRUE(wnd.seen.empty());
}

TEST_F(Creation, ExceptionInCreateFailsTheCreationAndIsCleanedUp) {
  LoggingWnd wnd;
  wnd.throwOnCreate = true;
  EXPECT_FALSE(wnd.CreateEx(0, _afxWnd, "x", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
  EXPECT_EQ(wnd.hWnd, nullptr);  // unbound again by WM_NCDESTROY
  EXPECT_EQ(afxExceptionContext.pCurrent, nullptr);
  EXPECT_EQ(afxExceptionContext.pLinkTop, nullptr);
  EXPECT_EQ(wnd.seen.back().message, static_cast<UINT>(WM_NCDESTROY));
}

TEST_F(Creation, ExceptionInAnotherHandlerAnswersZeroAndTheWindowLivesOn) {
  LoggingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, _afxWnd, "x", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
  EXPECT_EQ(wnd.SendMessageA(WM_USER), 55);
  wnd.throwOnUser = true;
  EXPECT_EQ(wnd.SendMessageA(WM_USER), 0);
  EXPECT_EQ(afxExceptionContext.pCurrent, nullptr);
  EXPECT_TRUE(IsWindow(wnd.hWnd));
  wnd.throwOnUser = false;
  EXPECT_EQ(wnd.SendMessageA(WM_USER), 55);
}

TEST_F(Creation, CurrentMessageIsRestoredAfterNestedDispatch) {
  LoggingWnd outer;
  LoggingWnd inner;
  ASSERT_TRUE(outer.CreateEx(0, _afxWnd, "o", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
  ASSERT_TRUE(inner.CreateEx(0, _afxWnd, "i", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
  afxCurrentMsg.message = 0x1234;
  afxCurrentMsg.hwnd = nullptr;
  outer.SendMessageA(WM_USER);
  EXPECT_EQ(afxCurrentMsg.message, 0x1234u);
  EXPECT_EQ(afxCurrentMsg.hwnd, nullptr);
}

TEST_F(Creation, DestroyingTheMainWindowQuitsWithZeroAndClearsIt) {
  LoggingWnd other;
  ASSERT_TRUE(other.CreateEx(0, _afxWnd, "o", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
  other.DestroyWindow();
  EXPECT_EQ(fw_test::TakeQuit(), -1);  // not the main window: no quit

  LoggingWnd main;
  ASSERT_TRUE(main.CreateEx(0, _afxWnd, "m", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
  windowsTestApp.pMainWnd = &main;
  EXPECT_TRUE(main.DestroyWindow());
  EXPECT_EQ(windowsTestApp.pMainWnd, nullptr);
  EXPECT_EQ(fw_test::TakeQuit(), 0);
}

TEST_F(Creation, TemporaryObjectsComeAndGoWithoutTouchingTheWindow) {
  EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
  HWND raw = fw_test::CreatePlainWindow();
  EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
  CWnd* first = CWnd::FromHandle(raw);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->hWnd, raw);
  EXPECT_EQ(CWnd::FromHandle(raw), first);
  void* object = nullptr;
  EXPECT_TRUE(afxWndMap.LookupTemporary(raw, object));
  CWnd::DeleteTempMap();
  EXPECT_FALSE(afxWndMap.LookupTemporary(raw, object));
  EXPECT_TRUE(IsWindow(raw));

  // Destroying through a temporary object unbinds it at once.
  CWnd* temporary = CWnd::FromHandle(raw);
  EXPECT_TRUE(temporary->DestroyWindow());
  EXPECT_EQ(temporary->hWnd, nullptr);
  EXPECT_FALSE(IsWindow(raw));
  CWnd::DeleteTempMap();
}

TEST_F(Creation, PlacementConstantsHoldPseudoHandles) {
  EXPECT_EQ(wndTop.hWnd, HWND_TOP);
  EXPECT_EQ(wndBottom.hWnd, HWND_BOTTOM);
  EXPECT_EQ(wndTopMost.hWnd, HWND_TOPMOST);
  EXPECT_EQ(wndNoTopMost.hWnd, HWND_NOTOPMOST);
}

}  // namespace
