// Message dispatch through the maps: how each signature unpacks its message, the cache
// (hits, cached absence, evictions), registered messages, virtual handlers named in a
// base map, and command routing for menu items, buttons, accelerators and notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/support/framework_env.h"
#include "framework/winmenu.h"

namespace {

UINT registeredHandled = RegisterWindowMessageA("TorvexDispatchTestHandled");
UINT registeredUnhandled = RegisterWindowMessageA("TorvexDispatchTestUnhandled");

class MapWnd : public CWnd {
 public:
  std::vector<std::string> calls;
  int defaults = 0;
  CWnd* lastWnd = nullptr;
  CMenu* lastMenu = nullptr;
  CPoint lastPoint;

  using CWnd::CreateEx;
  BOOL Make() { return CreateEx(0, _afxWnd, "map", WS_OVERLAPPEDWINDOW, 0, 0, 120, 90, nullptr, nullptr); }

  LRESULT DefWindowProcA(UINT nMsg, WPARAM wParam, LPARAM lParam) override {
    ++defaults;
    return CWnd::DefWindowProcA(nMsg, wParam, lParam);
  }
  virtual void OnVirtual() { calls.push_back("base virtual"); }

  // One handler per signature shape under test.
  int OnCreateLike(LPCREATESTRUCT) { return 1; }
  LRESULT OnLwl(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w * 1000 + l); }
  void OnVwii(UINT w, int lo, int hi) { calls.push_back(std::to_string(w) + "," + std::to_string(lo) + "," + std::to_string(hi)); }
  void OnVwWb(UINT lo, CWnd* pWnd, BOOL flag) {
    lastWnd = pWnd;
    calls.push_back(std::to_string(lo) + (flag ? " on" : " off"));
  }
  LRESULT OnLp(CPoint point) {
    lastPoint = point;
    return 9;
  }
  LRESULT OnLwwM(UINT lo, UINT hi, CMenu* pMenu) {
    lastMenu = pMenu;
    return static_cast<LRESULT>(lo + hi);
  }
  void OnVbWW(BOOL isThis, CWnd* activated, CWnd*) {
    lastWnd = activated;
    calls.push_back(isThis ? "this" : "other");
  }
  LRESULT OnRegistered(WPARAM w, LPARAM) { return static_cast<LRESULT>(w + 1); }

  void OnMenuCommand() { calls.push_back("command 100"); }
  void OnChange() { calls.push_back("change 100"); }
  void OnButton() { calls.push_back("command 200"); }

  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(MapWnd, CWnd)
  ON_ENTRY(WM_USER + 1, 0, AfxSig_is, OnCreateLike)
  ON_ENTRY(WM_USER + 2, 0, AfxSig_lwl, OnLwl)
  ON_ENTRY(WM_USER + 3, 0, AfxSig_vwii, OnVwii)
  ON_ENTRY(WM_USER + 4, 0, AfxSig_vwWb, OnVwWb)
  ON_ENTRY(WM_USER + 5, 0, AfxSig_lp, OnLp)
  ON_ENTRY(WM_USER + 6, 0, AfxSig_lwwM, OnLwwM)
  ON_ENTRY(WM_USER + 7, 0, AfxSig_vbWW, OnVbWW)
  ON_ENTRY(WM_USER + 8, 0, 99, OnLwl)
  ON_ENTRY(WM_USER + 9, 0, AfxSig_vv, OnVirtual)
  ON_REGISTERED_MESSAGE(registeredHandled, OnRegistered)
  ON_COMMAND(100, OnMenuCommand)
  ON_CONTROL(EN_CHANGE, 100, OnChange)
  ON_BN_CLICKED(200, OnButton)
END_MESSAGE_MAP()

// No map of its own: it inherits MapWnd's, and its override runs for OnVirtual.
class DerivedWnd : public MapWnd {
 public:
  void OnVirtual() override { calls.push_back("derived virtual"); }
};

// A class without handlers, for cache collisions with MapWnd's map.
class OtherWnd : public MapWnd {
 public:
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(OtherWnd, MapWnd)
END_MESSAGE_MAP()

const CMessageMap* MapOf(const CWnd& wnd) { return wnd.GetMessageMap(); }

AFX_MSG_CACHE& SlotFor(const CMessageMap* map, UINT msg) {
  return _afxMsgCache[(reinterpret_cast<UINT_PTR>(map) ^ msg) & 0xFF];
}

class Dispatch : public ::testing::Test {
 protected:
  void SetUp() override {
    fw_test::StartFramework();
    ASSERT_TRUE(wnd.Make());
    wnd.defaults = 0;
  }
  MapWnd wnd;
};

TEST_F(Dispatch, SignaturesUnpackTheMessageAndChooseTheResult) {
  EXPECT_EQ(wnd.SendMessageA(WM_USER + 1, 0, 0), 1);
  EXPECT_EQ(wnd.SendMessageA(WM_USER + 2, 3, 4), 3004);
  // Code 14 answers 0 whatever the handler does; lo and hi are zero-extended.
  EXPECT_EQ(wnd.SendMessageA(WM_USER + 3, 5, MAKELPARAM(0xFFFF, 2)), 0);
  EXPECT_EQ(wnd.calls.back(), "5,65535,2");

  HWND other = fw_test::CreatePlainWindow();
  wnd.SendMessageA(WM_USER + 4, MAKEWPARAM(6, 1), reinterpret_cast<LPARAM>(other));
  EXPECT_EQ(wnd.calls.back(), "6 on");
  ASSERT_NE(wnd.lastWnd, nullptr);
  EXPECT_EQ(wnd.lastWnd->hWnd, other);  // a temporary object for a window without one
  wnd.SendMessageA(WM_USER + 4, 6, 0);
  EXPECT_EQ(wnd.calls.back(), "6 off");
  EXPECT_EQ(wnd.lastWnd, nullptr);

  EXPECT_EQ(wnd.SendMessageA(WM_USER + 5, 0, MAKELPARAM(0xFFFE, 7)), 9);
  EXPECT_EQ(wnd.lastPoint.x, 0xFFFE);
  EXPECT_EQ(wnd.lastPoint.y, 7);

  HMENU menu = CreateMenu();
  EXPECT_EQ(wnd.SendMessageA(WM_USER + 6, MAKEWPARAM(2, 3), reinterpret_cast<LPARAM>(menu)), 5);
  ASSERT_NE(wnd.lastMenu, nullptr);
  EXPECT_EQ(wnd.lastMenu->hMenu, menu);

  wnd.SendMessageA(WM_USER + 7, reinterpret_cast<WPARAM>(other), reinterpret_cast<LPARAM>(wnd.hWnd));
  EXPECT_EQ(wnd.calls.back(), "this");
  EXPECT_EQ(wnd.lastWnd, &wnd);

  // An unknown signature calls nothing and answers 0.
  EXPECT_EQ(wnd.SendMessageA(WM_USER + 8, 3, 4), 0);
  EXPECT_EQ(wnd.defaults, 0);

  CWnd::DeleteTempMap();
  CMenu::DeleteTempMap();
  EXPECT_TRUE(IsMenu(menu));
  DestroyMenu(menu);
  DestroyWindow(other);
}

TEST_F(Dispatch, VirtualHandlersRunTheMostDerivedOverride) {
  DerivedWnd derived;
  ASSERT_TRUE(derived.Make());
  wnd.SendMessageA(WM_USER + 9);
  derived.SendMessageA(WM_USER + 9);
  EXPECT_EQ(wnd.calls.back(), "base virtual");
  EXPECT_EQ(derived.calls.back(), "derived virtual");
}

TEST_F(Dispatch, UnhandledMessagesAreCachedAsSuchAndStillGoToDefault) {
  const UINT unhandled = WM_USER + 50;
  wnd.SendMessageA(unhandled);
  EXPECT_EQ(wnd.defaults, 1);
  AFX_MSG_CACHE& slot = SlotFor(MapOf(wnd), unhandled);
  EXPECT_EQ(slot.nMsg, unhandled);
  EXPECT_EQ(slot.pMessageMap, MapOf(wnd));
  EXPECT_EQ(slot.lpEntry, nullptr);
  wnd.SendMessageA(unhandled);
  EXPECT_EQ(wnd.defaults, 2);
}

TEST_F(Dispatch, CollidingClassesEvictEachOtherAndBothStillDispatch) {
  OtherWnd other;
  ASSERT_TRUE(other.Make());
  const CMessageMap* mapA = MapOf(wnd);
  const CMessageMap* mapB = MapOf(other);
  ASSERT_NE(mapA, mapB);
  const UINT handled = WM_USER + 2;
  // A message for the other class that lands on the very same slot.
  const UINT colliding =
      (WM_USER + 0x100) | static_cast<UINT>((reinterpret_cast<UINT_PTR>(mapA) ^ handled ^ reinterpret_cast<UINT_PTR>(mapB)) & 0xFF);
  ASSERT_EQ(&SlotFor(mapA, handled), &SlotFor(mapB, colliding));

  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(wnd.SendMessageA(handled, 1, 2), 1002);
    EXPECT_EQ(SlotFor(mapA, handled).pMessageMap, mapA);
    other.defaults = 0;
    other.SendMessageA(colliding);
    EXPECT_EQ(other.defaults, 1);
    EXPECT_EQ(SlotFor(mapB, colliding).pMessageMap, mapB);
    // The base map's handler, reached through the derived class's map.
    EXPECT_EQ(other.SendMessageA(handled, 2, 3), 2003);
  }
}

TEST_F(Dispatch, RegisteredMessagesMatchByTheirVariable) {
  EXPECT_EQ(wnd.SendMessageA(registeredHandled, 41, 0), 42);
  EXPECT_EQ(wnd.SendMessageA(registeredHandled, 1, 0), 2);  // from the cache
  EXPECT_EQ(wnd.defaults, 0);
  wnd.SendMessageA(registeredUnhandled, 1, 0);
  EXPECT_EQ(wnd.defaults, 1);
}

TEST_F(Dispatch, CommandsRouteByIdAndCode) {
  // A menu item: no control, code 0.
  EXPECT_EQ(wnd.SendMessageA(WM_COMMAND, MAKEWPARAM(100, 0), 0), 1);
  EXPECT_EQ(wnd.calls.back(), "command 100");
  // An accelerator: high word 1, no control, routed as code 0.
  wnd.calls.clear();
  EXPECT_EQ(wnd.SendMessageA(WM_COMMAND, MAKEWPARAM(100, 1), 0), 1);
  EXPECT_EQ(wnd.calls, std::vector<std::string>{"command 100"});
  // A notification reaches only the entry with its code.
  HWND edit = CreateWindowExA(0, "Edit", "", WS_CHILD, 0, 0, 40, 20, wnd.hWnd,
                              reinterpret_cast<HMENU>(100), nullptr, nullptr);
  wnd.defaults = 0;
  EXPECT_EQ(wnd.SendMessageA(WM_COMMAND, MAKEWPARAM(100, EN_CHANGE), reinterpret_cast<LPARAM>(edit)), 1);
  EXPECT_EQ(wnd.calls.back(), "change 100");
  EXPECT_EQ(wnd.defaults, 0);
  // Id 0 is never routed; unknown ids and codes go to default processing.
  wnd.calls.clear();
  wnd.SendMessageA(WM_COMMAND, MAKEWPARAM(0, 0), 0);
  wnd.SendMessageA(WM_COMMAND, MAKEWPARAM(101, 0), 0);
  wnd.SendMessageA(WM_COMMAND, MAKEWPARAM(200, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
  EXPECT_TRUE(wnd.calls.empty());
  EXPECT_EQ(wnd.defaults, 3);
}

TEST_F(Dispatch, AClickedButtonReachesTheCommandEntryForItsId) {
  HWND button = CreateWindowExA(0, "Button", "Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 40, 20,
                                wnd.hWnd, reinterpret_cast<HMENU>(200), nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  SendMessageA(button, BM_CLICK, 0, 0);
  fw_test::Pump();
  ASSERT_FALSE(wnd.calls.empty());
  EXPECT_EQ(wnd.calls.back(), "command 200");
}

}  // namespace
