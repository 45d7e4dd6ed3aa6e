// Modal dialogs and message boxes: the owner disabled while they run, the EndDialog
// result, the dialog gone and the owner enabled again afterwards, -1 for a missing
// template, and message boxes answered from the keyboard.
#include <gtest/gtest.h>
#include <win32_headless.h>
#include <win32_resources.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs/template_builder.h"

using namespace dialog_test;

namespace {

std::vector<std::string> trace;
std::function<void(HWND box)> on_idle;  // runs when a modal loop waits for input
HWND last_dialog = nullptr;

LRESULT CALLBACK owner_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ENABLE) trace.push_back(wparam ? "owner enabled" : "owner disabled");
  if (message == WM_ENTERIDLE && on_idle) {
    auto step = on_idle;
    on_idle = nullptr;
    step(reinterpret_cast<HWND>(lparam));
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

INT_PTR CALLBACK modal_proc(HWND hdlg, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      last_dialog = hdlg;
      trace.push_back(IsWindowEnabled(GetWindow(hdlg, GW_OWNER)) ? "init, owner enabled" : "init, owner disabled");
      if (lparam == 1) EndDialog(hdlg, 5);  // ended before it is ever shown
      if (lparam == 2) PostMessageA(hdlg, WM_APP, 42, 0);
      return TRUE;
    case WM_APP:
      EndDialog(hdlg, static_cast<INT_PTR>(wparam));
      return TRUE;
    case WM_DESTROY:
      trace.push_back(IsWindowVisible(hdlg) ? "destroy, visible" : "destroy, hidden");
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK || LOWORD(wparam) == IDCANCEL) EndDialog(hdlg, LOWORD(wparam) + 100);
      return TRUE;
    default:
      return FALSE;
  }
}

class Modal : public ::testing::Test {
 protected:
  void SetUp() override {
    static bool registered = false;
    if (!registered) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = owner_proc;
      wc.lpszClassName = "ModalTestOwner";
      RegisterClassA(&wc);
      registered = true;
    }
    owner_ = CreateWindowExA(0, "ModalTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 400, 300,
                             nullptr, nullptr, nullptr, nullptr);
    pump();
    trace.clear();
    on_idle = nullptr;
    headless::clear_beeps();
  }
  void TearDown() override {
    DestroyWindow(owner_);
    pump();
  }
  TemplateBuilder box() {
    TemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 10, 10, 120, 60, "Modal");
    t.item(kButton, IDOK, "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 10, 40, 40, 14)
        .item(kButton, IDCANCEL, "Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 60, 40, 40, 14);
    return t;
  }
  HWND owner_ = nullptr;
};

TEST_F(Modal, OwnerIsDisabledDuringAndEnabledBeforeTheDialogIsDestroyed) {
  TemplateBuilder t = box();
  INT_PTR result = DialogBoxIndirectParamA(nullptr, t.get(), owner_, modal_proc, 2);
  EXPECT_EQ(result, 42);
  EXPECT_FALSE(IsWindow(last_dialog));
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(GetActiveWindow(), owner_);
  EXPECT_EQ(trace, (std::vector<std::string>{"owner disabled", "init, owner disabled", "owner enabled",
                                             "destroy, hidden"}));
}

TEST_F(Modal, EndDialogDuringInitialisationNeverShowsTheDialog) {
  TemplateBuilder t = box();
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.get(), owner_, modal_proc, 1), 5);
  EXPECT_FALSE(IsWindow(last_dialog));
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(trace.back(), "destroy, hidden");
}

TEST_F(Modal, KeysAnswerTheModalDialog) {
  TemplateBuilder t = box();
  on_idle = [](HWND) { headless::press_key(VK_ESCAPE); };
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.get(), owner_, modal_proc, 0), IDCANCEL + 100);
  on_idle = [](HWND) { headless::press_key(VK_RETURN); };
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.get(), owner_, modal_proc, 0), IDOK + 100);
}

TEST_F(Modal, MissingTemplateGivesMinusOneAndABadOwnerZero) {
  EXPECT_EQ(DialogBoxParamA(nullptr, "NOSUCHDIALOG", owner_, modal_proc, 0), -1);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  TemplateBuilder t = box();
  EXPECT_EQ(DialogBoxIndirectParamA(nullptr, t.get(), reinterpret_cast<HWND>(0x7777), modal_proc, 0), 0);
}

TEST_F(Modal, TemplateFoundByNameAmongTheResources) {
  static TemplateBuilder t = box();
  static const win32::ResourceRecord record{5, "MODALTEST", 0, reinterpret_cast<const unsigned char*>(t.get()),
                                            t.size()};
  win32::register_resources(&record, 1);
  EXPECT_EQ(DialogBoxParamA(nullptr, "MODALTEST", owner_, modal_proc, 2), 42);
}

TEST_F(Modal, QuitRequestEndsTheLoopAndIsPassedOn) {
  TemplateBuilder t = box();
  on_idle = [](HWND) { PostQuitMessage(3); };
  DialogBoxIndirectParamA(nullptr, t.get(), owner_, modal_proc, 0);
  EXPECT_TRUE(IsWindowEnabled(owner_));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

// ---- Message boxes --------------------------------------------------------------------

struct BoxCase {
  UINT type;
  UINT key;
  int expected;
};

TEST_F(Modal, MessageBoxesAnswerEnterAndEscapeAsWindowsDoes) {
  const BoxCase table[] = {
      {MB_OK, VK_RETURN, IDOK},
      {MB_OK, VK_ESCAPE, IDOK},
      {MB_OKCANCEL, VK_ESCAPE, IDCANCEL},
      {MB_OKCANCEL | MB_DEFBUTTON2, VK_RETURN, IDCANCEL},
      {MB_YESNOCANCEL, VK_RETURN, IDYES},
      {MB_YESNOCANCEL | MB_DEFBUTTON2, VK_RETURN, IDNO},
      {MB_YESNOCANCEL, VK_ESCAPE, IDCANCEL},
      {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, VK_RETURN, IDIGNORE},
      {MB_RETRYCANCEL, VK_RETURN, IDRETRY},
      {MB_YESNO | MB_ICONQUESTION, 'N', IDNO},
  };
  for (const BoxCase& c : table) {
    UINT key = c.key;
    on_idle = [key](HWND) { headless::press_key(key); };
    EXPECT_EQ(MessageBoxA(owner_, "Text", "Caption", c.type), c.expected) << c.type << " " << c.key;
    EXPECT_TRUE(IsWindowEnabled(owner_));
  }
}

TEST_F(Modal, EscapeDoesNothingWithoutACancelButton) {
  // Escape first (ignored), then Enter for the default button.
  on_idle = [this](HWND) {
    headless::press_key(VK_ESCAPE);
    on_idle = [](HWND) { headless::press_key(VK_RETURN); };
  };
  EXPECT_EQ(MessageBoxA(owner_, "Continue?", "Question", MB_YESNO | MB_SYSTEMMODAL), IDYES);
}

TEST_F(Modal, MessageBoxShowsItsCaptionTextButtonsAndDisablesTheOwner) {
  std::string caption, text, buttons;
  bool owner_enabled = true;
  on_idle = [&](HWND box) {
    char buf[256];
    GetWindowTextA(box, buf, sizeof buf);
    caption = buf;
    owner_enabled = IsWindowEnabled(owner_) != FALSE;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
      GetClassNameA(c, buf, sizeof buf);
      std::string cls = buf;
      GetWindowTextA(c, buf, sizeof buf);
      if (cls == "Button") buttons += std::string(buf) + ";";
      if (cls == "Static" && buf[0]) text = buf;
    }
    headless::press_key(VK_RETURN);
  };
  EXPECT_EQ(MessageBoxExA(owner_, "Maximum threads exceeded", nullptr, MB_ABORTRETRYIGNORE | MB_ICONHAND, 0),
            IDABORT);
  EXPECT_EQ(caption, "Error");
  EXPECT_EQ(text, "Maximum threads exceeded");
  EXPECT_EQ(buttons, "&Abort;&Retry;&Ignore;");
  EXPECT_FALSE(owner_enabled);
  EXPECT_TRUE(IsWindowEnabled(owner_));
}

}  // namespace
