// The application object: WinMain's start-up and exit code, the idle loop with its
// counts and the deletion of temporary objects, and AfxRegisterWndClass names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/handle_map.h"
#include "framework/support/framework_env.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

// The previous-instance argument that lets WinMain run again once the classes exist.
HINSTANCE PreviousInstance() {
  WNDCLASSA existing;
  return GetClassInfoA(Instance(), "AfxWnd", &existing) ? Instance() : nullptr;
}

class ScriptedApp : public CWinApp {
 public:
  explicit ScriptedApp(const char* name = "scripted") : CWinApp(name) {}
  int quitCode = 0;
  bool initApplicationRan = false;
  bool initInstanceRan = false;
  bool initInstanceResult = true;
  BOOL InitApplication() override {
    initApplicationRan = true;
    return TRUE;
  }
  BOOL InitInstance() override {
    initInstanceRan = true;
    if (initInstanceResult) PostQuitMessage(quitCode);
    return initInstanceResult;
  }
};

TEST(WinMainRun, FirstInstanceRegistersTheClassesAndQuitCodeIsTheResult) {
  ScriptedApp app;
  app.quitCode = 7;
  char commandLine[] = "-fast";
  const HINSTANCE previous = PreviousInstance();
  EXPECT_EQ(WinMain(Instance(), previous, commandLine, SW_SHOWMINIMIZED), 7);
  EXPECT_EQ(app.initApplicationRan, previous == nullptr);
  EXPECT_EQ(app.lpCmdLine, commandLine);
  EXPECT_EQ(app.nCmdShow, SW_SHOWMINIMIZED);
  EXPECT_EQ(AfxGetInstanceHandle(), Instance());
  EXPECT_EQ(AfxGetResourceHandle(), Instance());
  EXPECT_STREQ(afxCurrentAppName, "scripted");
  // AfxWinTerm ran: the placement constants hold no handle any more.
  EXPECT_EQ(wndBottom.hWnd, nullptr);
  EXPECT_EQ(wndTopMost.hWnd, nullptr);

  WNDCLASSA frame;
  ASSERT_TRUE(GetClassInfoA(Instance(), "AfxFrameWnd", &frame));
  EXPECT_EQ(frame.lpfnWndProc, &AfxWndProc);
  EXPECT_EQ(frame.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
  EXPECT_EQ(frame.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  EXPECT_NE(frame.hIcon, nullptr);
  EXPECT_NE(frame.hCursor, nullptr);
  WNDCLASSA mdi;
  ASSERT_TRUE(GetClassInfoA(Instance(), "AfxMDIFrameWnd", &mdi));
  EXPECT_EQ(mdi.hbrBackground, nullptr);
}

TEST(WinMainRun, SecondInstanceSkipsRegistrationAndInitApplication) {
  ScriptedApp app;
  app.quitCode = 3;
  char commandLine[] = "";
  fw_test::StartFramework();  // the classes exist from here on
  EXPECT_EQ(WinMain(Instance(), Instance(), commandLine, SW_SHOW), 3);
  EXPECT_FALSE(app.initApplicationRan);
  EXPECT_TRUE(app.initInstanceRan);
  // A first instance now fails to register the classes: -1 and nothing initialised.
  ScriptedApp late;
  EXPECT_EQ(WinMain(Instance(), nullptr, commandLine, SW_SHOW), -1);
  EXPECT_FALSE(late.initApplicationRan);
  EXPECT_FALSE(late.initInstanceRan);
}

TEST(WinMainRun, FailedInitInstanceMeansMinusOneWithoutTheLoop) {
  ScriptedApp app;
  app.initInstanceResult = false;
  char commandLine[] = "";
  fw_test::StartFramework();
  EXPECT_EQ(WinMain(Instance(), Instance(), commandLine, SW_SHOW), -1);
  EXPECT_EQ(fw_test::TakeQuit(), -1);
}

TEST(WinMainRun, NamelessApplicationIsNamedAfterTheModule) {
  CWinApp app(nullptr);
  fw_test::StartFramework();
  char expected[256] = {};
  GetModuleFileNameA(Instance(), expected, 255);
  ASSERT_NE(app.pszAppName, nullptr);
  EXPECT_STREQ(app.pszAppName, expected);
  EXPECT_EQ(afxCurrentAppName, app.pszAppName);
}

// Counts idle calls; wants more idle time for the first `busy` calls, then quits.
class IdleApp : public CWinApp {
 public:
  std::vector<LONG> counts;
  LONG busy = 3;
  BOOL OnIdle(LONG lCount) override {
    counts.push_back(lCount);
    if (lCount < busy) return TRUE;
    PostQuitMessage(0);
    return FALSE;
  }
};

TEST(IdleLoop, CountsRunUpWhileOnIdleWantsMoreAndRestartAfterAMessage) {
  IdleApp app;
  fw_test::StartFramework();
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(app.counts, (std::vector<LONG>{0, 1, 2, 3}));

  // The base class wants no more idle time: one call per empty queue.
  IdleApp single;
  single.busy = 0;
  fw_test::StartFramework();
  EXPECT_EQ(single.Run(), 0);
  EXPECT_EQ(single.counts, std::vector<LONG>{0});
}

// Handles one message by asking for temporary objects of all four kinds.
class ProbeWnd : public CWnd {
 public:
  HWND raw = nullptr;
  HMENU menu = nullptr;
  HBRUSH brush = nullptr;
  bool sameTwice = false;
  using CWnd::CreateEx;
  LRESULT OnProbe(WPARAM, LPARAM) {
    CWnd* first = CWnd::FromHandle(raw);
    sameTwice = first == CWnd::FromHandle(raw) && first != nullptr &&
                CMenu::FromHandle(menu) == CMenu::FromHandle(menu) &&
                CGdiObject::FromHandle(brush) == CGdiObject::FromHandle(brush);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ProbeWnd, CWnd)
  ON_MESSAGE(WM_APP, OnProbe)
END_MESSAGE_MAP()

class TemporaryApp : public CWinApp {
 public:
  ProbeWnd* probe = nullptr;
  bool goneAfterIdle = false;
  bool nativeAlive = false;
  bool permanentKept = false;
  BOOL OnIdle(LONG lCount) override {
    void* object = nullptr;
    const bool hadTemporary = afxWndMap.LookupTemporary(probe->raw, object);
    CWinApp::OnIdle(lCount);
    if (hadTemporary) {
      goneAfterIdle = !afxWndMap.LookupTemporary(probe->raw, object);
      LOGBRUSH logBrush;
      nativeAlive = IsWindow(probe->raw) && IsMenu(probe->menu) &&
                    GetObjectA(probe->brush, sizeof(logBrush), &logBrush) != 0;
      permanentKept = CWnd::FromHandlePermanent(probe->hWnd) == probe;
      PostQuitMessage(0);
    }
    return FALSE;
  }
};

TEST(IdleLoop, TemporaryObjectsAreGoneAfterIdleWhileTheNativeObjectsLive) {
  TemporaryApp app;
  fw_test::StartFramework();
  ProbeWnd probe;
  ASSERT_TRUE(probe.CreateEx(0, _afxWnd, "probe", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr));
  probe.raw = fw_test::CreatePlainWindow();
  probe.menu = CreatePopupMenu();
  probe.brush = CreateSolidBrush(RGB(4, 5, 6));
  app.probe = &probe;
  PostMessageA(probe.hWnd, WM_APP, 0, 0);
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(probe.sameTwice);
  EXPECT_TRUE(app.goneAfterIdle);
  EXPECT_TRUE(app.nativeAlive);
  EXPECT_TRUE(app.permanentKept);
  DestroyWindow(probe.raw);
  DestroyMenu(probe.menu);
  DeleteObject(probe.brush);
}

TEST(WindowClasses, NamesFollowTheirAttributesAndRegisterOnce) {
  CWinApp app("classes");
  fw_test::StartFramework();
  EXPECT_STREQ(AfxRegisterWndClass(0), "Afx:0");
  HCURSOR cursor = LoadCursorA(nullptr, IDC_ARROW);
  char expected[64];
  wsprintfA(expected, "Afx:3:%x:0:0", static_cast<UINT>(reinterpret_cast<UINT_PTR>(cursor)));
  const std::string name = AfxRegisterWndClass(3, cursor);
  EXPECT_EQ(name, expected);
  for (char c : name.substr(4)) EXPECT_FALSE(c >= 'A' && c <= 'F') << name;  // lower-case hex only
  WNDCLASSA registered;
  ASSERT_TRUE(GetClassInfoA(Instance(), name.c_str(), &registered));
  EXPECT_EQ(registered.lpfnWndProc, &AfxWndProc);
  EXPECT_EQ(registered.style, 3u);
  EXPECT_EQ(registered.hCursor, cursor);
  // The second call finds the class and answers the same name.
  EXPECT_EQ(std::string(AfxRegisterWndClass(3, cursor)), name);
  EXPECT_STREQ(AfxRegisterWndClass(0x2B), "Afx:2b");
}

}  // namespace
