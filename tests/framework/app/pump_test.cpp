// The pump's PreTranslateMessage chain (accelerators of the frame for keys aimed at its
// children, a modeless dialog's keyboard interface, messages outside the main window's
// chain), frames that delete themselves, and modal dialogs run by DoModal.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/except.h"
#include "framework/support/framework_env.h"
#include "platform/dialogs/template_builder.h"

namespace {

constexpr UINT kAccelCommand = 500;
bool accelerated = false;
bool frameDeleted = false;
std::vector<HWND> offeredToMain;

class TestFrame : public CFrameWnd {
 public:
  ~TestFrame() override { frameDeleted = true; }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN) offeredToMain.push_back(pMsg->hwnd);
    return CFrameWnd::PreTranslateMessage(pMsg);
  }
  void OnAccel() {
    accelerated = true;
    DestroyWindow();  // the main window: quits the loop and deletes this object
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
  ON_COMMAND(kAccelCommand, OnAccel)
END_MESSAGE_MAP()

class PumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fw_test::StartFramework();
    accelerated = false;
    frameDeleted = false;
    offeredToMain.clear();
    frame = new TestFrame;
    ASSERT_TRUE(frame->Create(nullptr, "frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(20, 20, 320, 220)));
    app.pMainWnd = frame;
    ACCEL accel = {FVIRTKEY, VK_F2, kAccelCommand};
    frame->hAccelTable = CreateAcceleratorTableA(&accel, 1);
    fw_test::Pump();
  }
  void TearDown() override {
    if (!frameDeleted) frame->DestroyWindow();
    fw_test::Pump();
    fw_test::TakeQuit();
  }
  CWinApp app{"pump"};
  TestFrame* frame = nullptr;
};

TEST_F(PumpTest, AKeyForAChildReachesTheFrameAcceleratorsThroughTheParentChain) {
  EXPECT_EQ(frame->GetParentFrame(), frame);
  EXPECT_EQ(frame->GetChildFrame(), frame);
  CWnd child;
  ASSERT_TRUE(child.Create(nullptr, "child", WS_VISIBLE, CRect(0, 0, 50, 30), frame, 1));
  HWND childHandle = child.hWnd;
  PostMessageA(childHandle, WM_KEYDOWN, VK_F2, 0);
  EXPECT_EQ(app.Run(), 0);  // the accelerator's command destroyed the main window
  EXPECT_TRUE(accelerated);
  EXPECT_TRUE(frameDeleted);
  EXPECT_EQ(app.pMainWnd, nullptr);
  EXPECT_EQ(child.hWnd, nullptr);  // destroyed with its parent, unbound
  EXPECT_EQ(offeredToMain, std::vector<HWND>{childHandle});
}

TEST_F(PumpTest, AMessageOutsideTheMainWindowIsStillOfferedToIt) {
  HWND outsider = fw_test::CreatePlainWindow();
  PostMessageA(outsider, WM_KEYDOWN, 'A', 0);
  PostMessageA(outsider, WM_KEYDOWN, VK_F2, 0);
  EXPECT_EQ(app.Run(), 0);
  EXPECT_EQ(offeredToMain, (std::vector<HWND>{outsider, outsider}));
  EXPECT_TRUE(accelerated);
  DestroyWindow(outsider);
}

// A modeless dialog with two edit fields, made from an in-memory template.
class Modeless : public CDialog {
 public:
  BOOL Make(const void* dlgTemplate, CWnd* parent) { return CreateIndirect(dlgTemplate, parent); }
};

dialog_test::TemplateBuilder TwoEdits(DWORD dialogStyle) {
  dialog_test::TemplateBuilder dlgTemplate(dialogStyle, 0, 0, 120, 60);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
  dlgTemplate.item(0x0081, 61, "", style, 4, 4, 80, 14);
  dlgTemplate.item(0x0081, 62, "", style, 4, 24, 80, 14);
  return dlgTemplate;
}

class FocusCheckApp : public CWinApp {
 public:
  HWND expected = nullptr;
  bool focusMoved = false;
  BOOL OnIdle(LONG lCount) override {
    focusMoved = GetFocus() == expected;
    PostQuitMessage(0);
    return CWinApp::OnIdle(lCount);
  }
};

TEST(ModelessDialog, TabMovesFocusThroughThePumpsPreTranslateChain) {
  FocusCheckApp app;
  fw_test::StartFramework();
  auto* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
  app.pMainWnd = frame;
  const dialog_test::TemplateBuilder dlgTemplate = TwoEdits(WS_POPUP | WS_VISIBLE);
  Modeless dialog;
  ASSERT_TRUE(dialog.Make(dlgTemplate.get(), nullptr));  // owned by the main window
  EXPECT_EQ(GetWindow(dialog.hWnd, GW_OWNER), frame->hWnd);
  HWND first = GetDlgItem(dialog.hWnd, 61);
  app.expected = GetDlgItem(dialog.hWnd, 62);
  SetActiveWindow(dialog.hWnd);
  SetFocus(first);
  fw_test::Pump();
  ASSERT_EQ(GetFocus(), first);
  PostMessageA(first, WM_KEYDOWN, VK_TAB, 0);
  EXPECT_EQ(app.Run(), 0);
  EXPECT_TRUE(app.focusMoved);
  dialog.DestroyWindow();
  frame->DestroyWindow();
  fw_test::Pump();
  fw_test::TakeQuit();
}

// ---- Modal dialogs ---------------------------------------------------------------------

HWND initOwner = reinterpret_cast<HWND>(1);

// Presses one key in the dialog as soon as it starts.
class KeyDialog : public CModalDialog {
 public:
  KeyDialog(const char* name, CWnd* parent, UINT key) : CModalDialog(name, parent), key(key) {}
  UINT key;
  bool throwInInit = false;
  BOOL OnInitDialog() override {
    initOwner = GetWindow(hWnd, GW_OWNER);
    if (throwInInit) AfxThrowMemoryException();
    PostMessageA(hWnd, WM_KEYDOWN, key, 0);
    return TRUE;
  }
};

class CustomOk : public KeyDialog {
 public:
  using KeyDialog::KeyDialog;
  void OnOK() override { EndDialog(7); }
};

// A modeless dialog object that deletes itself with its window, and whose
// initialisation closes it: creation fails, and the object that is already gone must not
// be written to (the address sanitizer build sees it if it is).
class ClosesAtOnce : public CDialog {
 public:
  static bool deleted;
  ~ClosesAtOnce() override { deleted = true; }
  BOOL Make(const void* dlgTemplate) { return CreateIndirect(dlgTemplate, nullptr); }
  BOOL OnInitDialog() override {
    DestroyWindow();
    return TRUE;
  }
  void PostNcDestroy() override { delete this; }
};
bool ClosesAtOnce::deleted = false;

TEST(ModelessDialog, ADialogThatClosesDuringItsCreationFailsAndIsNotTouchedAfterwards) {
  CWinApp app("closing dialog");
  fw_test::StartFramework();
  const dialog_test::TemplateBuilder dlgTemplate = TwoEdits(WS_POPUP | WS_VISIBLE);
  ClosesAtOnce::deleted = false;
  auto* dialog = new ClosesAtOnce;
  EXPECT_FALSE(dialog->Make(dlgTemplate.get()));
  EXPECT_TRUE(ClosesAtOnce::deleted);
  EXPECT_EQ(afxHookedWnd, nullptr);
}

TEST(ModalDialog, OkAndCancelEndTheDialogWithoutEntriesOfTheirOwn) {
  CWinApp app("modal");
  fw_test::StartFramework();
  KeyDialog ok("ABOUT", nullptr, VK_RETURN);
  EXPECT_EQ(ok.DoModal(), IDOK);
  EXPECT_EQ(ok.hWnd, nullptr);
  EXPECT_EQ(initOwner, nullptr);  // neither a parent nor a main window
  KeyDialog cancel("ABOUT", nullptr, VK_ESCAPE);
  EXPECT_EQ(cancel.DoModal(), IDCANCEL);
  CustomOk custom("ABOUT", nullptr, VK_RETURN);
  EXPECT_EQ(custom.DoModal(), 7);
  fw_test::Pump();
}

TEST(FrameCreation, MissingMenuMeansNoWindowAndDefaultRectLetsThePlatformChoose) {
  CWinApp app("frames");
  fw_test::StartFramework();
  auto* missing = new CFrameWnd;
  EXPECT_FALSE(missing->Create(nullptr, "no menu", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr,
                               "NOSUCHMENU"));
  EXPECT_EQ(missing->hWnd, nullptr);
  delete missing;  // never had a window, so it did not delete itself

  auto* frame = new CFrameWnd;
  ASSERT_TRUE(frame->Create(nullptr, "default", WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, nullptr,
                            "MAINMENUBAR"));
  RECT rect;
  GetWindowRect(frame->hWnd, &rect);
  EXPECT_GT(rect.right - rect.left, 100);  // a size of the platform's choosing
  EXPECT_GT(rect.bottom - rect.top, 100);
  EXPECT_NE(GetMenu(frame->hWnd), nullptr);
  char className[32] = {};
  GetClassNameA(frame->hWnd, className, sizeof(className));
  EXPECT_STREQ(className, "AfxFrameWnd");
  EXPECT_FALSE(frame->LoadAccelTable("NOSUCHTABLE"));
  frame->DestroyWindow();  // deletes the object
  fw_test::Pump();
}

TEST(ModalDialog, OwnerMissingTemplateInMemoryTemplateAndFailedInit) {
  CWinApp app("modal");
  fw_test::StartFramework();
  CFrameWnd* owner = new CFrameWnd;
  ASSERT_TRUE(owner->Create(nullptr, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100)));
  app.pMainWnd = owner;

  KeyDialog byMain("ABOUT", nullptr, VK_ESCAPE);
  EXPECT_EQ(byMain.DoModal(), IDCANCEL);
  EXPECT_EQ(initOwner, owner->hWnd);

  CModalDialog missing("NOSUCHDIALOG");
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_EQ(missing.hWnd, nullptr);
  EXPECT_EQ(afxHookedWnd, nullptr);

  const dialog_test::TemplateBuilder dlgTemplate = TwoEdits(WS_POPUP | WS_CAPTION);
  KeyDialog inMemory(nullptr, owner, VK_ESCAPE);
  ASSERT_TRUE(inMemory.CreateIndirect(const_cast<DLGTEMPLATE*>(dlgTemplate.get())));
  EXPECT_EQ(inMemory.DoModal(), IDCANCEL);

  KeyDialog failing("ABOUT", owner, VK_RETURN);
  failing.throwInInit = true;
  EXPECT_EQ(failing.DoModal(), IDCANCEL);
  EXPECT_EQ(afxExceptionContext.pCurrent, nullptr);

  owner->DestroyWindow();
  fw_test::Pump();
  EXPECT_EQ(fw_test::TakeQuit(), 0);
}

}  // namespace
