// BLDCreateClientControls: the client dialog made a child of the main window, which is
// restored and sized so that its client area is the dialog's size; a new panel replaces
// the old; failures leave no pointer to a dialog that is gone.
#include <gtest/gtest.h>

#include "framework/winapp.h"
#include "genui/application.h"
#include "genui/bld_helpers.h"
#include "genui/kadril_dialogs.h"
#include "genui_support.h"

namespace genui_test {
namespace {

// Counts the client dialog objects that are deleted.
int clientsDeleted = 0;
class CountedClient : public CKadrilClientDlg {
 public:
  ~CountedClient() override { ++clientsDeleted; }
};

class ClientControls : public ::testing::Test {
 protected:
  void SetUp() override {
    StartFramework();
    RegisterTestResources();
    frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "client fit", WS_OVERLAPPEDWINDOW, CRect(20, 20, 520, 420), nullptr,
                              "MAINMENUBAR"));
    frameWindow = frame->hWnd;
    TheApp.pMainWnd = frame;
    ShowWindow(frameWindow, SW_SHOW);
    clientsDeleted = 0;
  }
  void TearDown() override {
    if (IsWindow(frameWindow)) DestroyWindow(frameWindow);
    // The main window's destruction posted the quit message; it is not for anyone here.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    TheApp.pMainWnd = nullptr;
    EXPECT_EQ(TheApp.pClientDlg, nullptr);
  }

  // The client area is the panel's size; only a frame at its minimum tracking width (the
  // system keeps an overlapped window at least that wide) may be wider than its panel.
  void ExpectFitted(HWND dialog) {
    RECT client{}, dialogRect{}, frameRect{};
    GetClientRect(frameWindow, &client);
    GetWindowRect(dialog, &dialogRect);
    GetWindowRect(frameWindow, &frameRect);
    if (frameRect.right - frameRect.left > GetSystemMetrics(SM_CXMINTRACK)) {
      EXPECT_EQ(client.right, dialogRect.right - dialogRect.left);
    } else {
      EXPECT_GE(client.right, dialogRect.right - dialogRect.left);
    }
    EXPECT_EQ(client.bottom, dialogRect.bottom - dialogRect.top);
    POINT origin{0, 0};
    ClientToScreen(frameWindow, &origin);
    EXPECT_EQ(dialogRect.left, origin.x);
    EXPECT_EQ(dialogRect.top, origin.y);
  }

  CFrameWnd* frame = nullptr;
  HWND frameWindow = nullptr;
};

TEST_F(ClientControls, MaximizedFrameIsRestoredAndFittedAroundThePanel) {
  ShowWindow(frameWindow, SW_MAXIMIZE);
  ASSERT_TRUE(IsZoomed(frameWindow));
  auto* client = new CountedClient;
  ASSERT_EQ(BLDCreateClientControls("BENCHDLG", client), 1);
  EXPECT_FALSE(IsZoomed(frameWindow));
  EXPECT_EQ(TheApp.pClientDlg, client);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(client->hWnd, GWL_STYLE));
  EXPECT_TRUE(style & WS_CHILD);
  EXPECT_FALSE(style & WS_POPUP);
  EXPECT_TRUE(IsWindowVisible(client->hWnd));
  EXPECT_EQ(GetParent(client->hWnd), frameWindow);
  ExpectFitted(client->hWnd);
  // The template resource itself keeps its popup style.
  HRSRC info = FindResourceA(GetModuleHandleA(nullptr), "BENCHDLG", RT_DIALOG);
  const auto* resource = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(GetModuleHandleA(nullptr), info)));
  EXPECT_EQ(resource->style, 0x84000000u);
}

TEST_F(ClientControls, NarrowPanelStillGetsItsWholeHeight) {
  // A panel narrower than the menu bar (and than the narrowest frame): the bar may take
  // more rows, which the one height correction makes up for.
  auto* client = new CountedClient;
  ASSERT_EQ(BLDCreateClientControls("NARROWDLG", client), 1);
  RECT frameRect{};
  GetWindowRect(frameWindow, &frameRect);
  EXPECT_EQ(frameRect.right - frameRect.left, GetSystemMetrics(SM_CXMINTRACK));
#ifndef _WIN32
  // The stand-in's one system font always wraps this bar at that width; the system's own
  // fonts on Windows may be narrow enough not to.
  RECT file{}, help{};
  GetMenuItemRect(frameWindow, GetMenu(frameWindow), 0, &file);
  GetMenuItemRect(frameWindow, GetMenu(frameWindow), 2, &help);
  EXPECT_GT(help.top, file.top) << "the bar did not wrap";
#endif
  ExpectFitted(client->hWnd);
}

TEST_F(ClientControls, NewPanelReplacesTheOldOne) {
  auto* first = new CountedClient;
  ASSERT_EQ(BLDCreateClientControls("BENCHDLG", first), 1);
  const HWND firstWindow = first->hWnd;
  auto* second = new CountedClient;
  ASSERT_EQ(BLDCreateClientControls("NARROWDLG", second), 1);
  EXPECT_FALSE(IsWindow(firstWindow));
  EXPECT_EQ(clientsDeleted, 1);
  EXPECT_EQ(TheApp.pClientDlg, second);
  ExpectFitted(second->hWnd);
}

TEST_F(ClientControls, MissingTemplateFailsAndLeavesNoPointerToTheOldPanel) {
  auto* first = new CountedClient;
  ASSERT_EQ(BLDCreateClientControls("BENCHDLG", first), 1);
  const HWND firstWindow = first->hWnd;
  CountedClient unused;
  EXPECT_EQ(BLDCreateClientControls("NOSUCHDLG", &unused), 0);
  // The old panel went before the template was looked for, and is not brought back.
  EXPECT_FALSE(IsWindow(firstWindow));
  EXPECT_EQ(TheApp.pClientDlg, nullptr);
  EXPECT_EQ(unused.hWnd, nullptr);
}

TEST_F(ClientControls, NoMainWindowMeansNoPanel) {
  TheApp.pMainWnd = nullptr;
  CountedClient unused;
  EXPECT_EQ(BLDCreateClientControls("BENCHDLG", &unused), 0);
  EXPECT_EQ(unused.hWnd, nullptr);
  EXPECT_EQ(TheApp.pClientDlg, nullptr);
}

TEST_F(ClientControls, PanelDestroyedOnItsOwnClearsThePointer) {
  auto* client = new CountedClient;
  ASSERT_EQ(BLDCreateClientControls("BENCHDLG", client), 1);
  DestroyWindow(client->hWnd);
  EXPECT_EQ(clientsDeleted, 1);
  EXPECT_EQ(TheApp.pClientDlg, nullptr);
  // Enter and Escape reach the panel's OK and Cancel, which do nothing.
  auto* again = new CountedClient;
  ASSERT_EQ(BLDCreateClientControls("BENCHDLG", again), 1);
  SendMessageA(again->hWnd, WM_COMMAND, IDOK, 0);
  SendMessageA(again->hWnd, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(IsWindow(again->hWnd));
  EXPECT_EQ(clientsDeleted, 1);
}

}  // namespace
}  // namespace genui_test
