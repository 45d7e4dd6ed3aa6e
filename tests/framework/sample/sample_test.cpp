// A small program built on the framework, run through WinMain on the headless display
// and driven like a person would: a frame with the program's menu and a modeless
// client dialog; typing into its field, Tab through the pump's filters, Space on the
// "About..." button opening the About box modally, Enter closing it, and closing the
// frame ending the program with exit code 0.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <string>
#include <vector>

#include "framework/support/framework_env.h"
#include "platform/dialogs/template_builder.h"

namespace {

constexpr WORD kEditId = 201;
constexpr WORD kAboutId = 202;

std::string ShotPath(const char* name) { return ::testing::TempDir() + name; }

// The client dialog: a label, a field and a button.
dialog_test::TemplateBuilder ClientTemplate() {
  dialog_test::TemplateBuilder dlgTemplate(WS_CHILD | WS_VISIBLE, 0, 0, 160, 60);
  dlgTemplate.item(0x0082, 200, "Threads:", WS_CHILD | WS_VISIBLE, 8, 10, 40, 10);
  dlgTemplate.item(0x0081, kEditId, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 52, 8, 40, 12);
  dlgTemplate.item(0x0080, kAboutId, "About...", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 100, 7, 50, 14);
  return dlgTemplate;
}

int aboutResult = 0;

class ClientDialog : public CDialog {
 public:
  BOOL Make(const void* dlgTemplate, CWnd* parent) { return CreateIndirect(dlgTemplate, parent); }
  void OnAbout() {
    // Owned by the frame, which is told when the box waits for input.
    CModalDialog about("ABOUT", AfxGetApp()->pMainWnd);
    aboutResult = about.DoModal();
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(ClientDialog, CDialog)
  ON_BN_CLICKED(kAboutId, OnAbout)
END_MESSAGE_MAP()

class SampleFrame : public CFrameWnd {
 public:
  ClientDialog client;
  dialog_test::TemplateBuilder clientTemplate = ClientTemplate();
  bool shotWithAbout = false;

  int OnCreate(LPCREATESTRUCT) { return client.Make(clientTemplate.get(), this) ? 0 : -1; }
  // The About box waits for input: photograph it, then press Enter.
  LRESULT OnEnterIdle(WPARAM, LPARAM) {
    if (!shotWithAbout) {
      shotWithAbout = headless::screenshot(ShotPath("framework_sample_about.png").c_str());
      headless::press_key(VK_RETURN);
    }
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SampleFrame, CFrameWnd)
  ON_WM_CREATE()
  ON_MESSAGE(WM_ENTERIDLE, OnEnterIdle)
END_MESSAGE_MAP()

// Each idle moment performs the next step of the script.
class SampleApp : public CWinApp {
 public:
  SampleApp() : CWinApp("framework sample") {}
  SampleFrame* frame = nullptr;
  int step = 0;
  std::string typed;
  bool tabMovedFocus = false;
  bool shotOfFrame = false;

  BOOL InitInstance() override {
    frame = new SampleFrame;
    if (!frame->Create(nullptr, "Framework sample", WS_OVERLAPPEDWINDOW, CRect(40, 40, 400, 220), nullptr,
                       "MAINMENUBAR")) {
      return FALSE;
    }
    pMainWnd = frame;
    ShowWindow(frame->hWnd, nCmdShow);
    UpdateWindow(frame->hWnd);
    return TRUE;
  }

  BOOL OnIdle(LONG lCount) override {
    CWinApp::OnIdle(lCount);
    if (frame == nullptr) return FALSE;
    HWND dialog = frame != nullptr ? frame->client.hWnd : nullptr;
    switch (step++) {
      case 0:
        SetFocus(GetDlgItem(dialog, kEditId));
        headless::type_text("42");
        headless::press_key(VK_TAB);
        break;
      case 1: {
        char text[16] = {};
        GetDlgItemTextA(dialog, kEditId, text, sizeof(text));
        typed = text;
        tabMovedFocus = GetFocus() == GetDlgItem(dialog, kAboutId);
        shotOfFrame = headless::screenshot_window(frame->hWnd, ShotPath("framework_sample_frame.png").c_str());
        headless::press_key(VK_SPACE);
        break;
      }
      default:
        // The About box has come and gone: close the program as a person would.
        PostMessageA(frame->hWnd, WM_CLOSE, 0, 0);
        frame = nullptr;
        break;
    }
    return FALSE;
  }
};

TEST(FrameworkSample, RunsHeadlessWithMenuDialogAndAboutBox) {
  if (!headless::active()) GTEST_SKIP() << "needs the headless display";
  SampleApp app;
  char commandLine[] = "";
  const int exitCode = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
  EXPECT_EQ(exitCode, 0);
  EXPECT_EQ(app.typed, "42");
  EXPECT_TRUE(app.tabMovedFocus);
  EXPECT_TRUE(app.shotOfFrame);
  EXPECT_TRUE(app.step >= 3);
  EXPECT_EQ(aboutResult, IDOK);
  EXPECT_EQ(app.pMainWnd, nullptr);  // the frame deleted itself after WM_NCDESTROY
}

}  // namespace
