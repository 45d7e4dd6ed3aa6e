// What a person sees: the benchmark window with its menu bar and client dialog, an open
// menu, and a message box, checked by a few pixel properties and written as PNGs
// (to $TORVEX_SCREENSHOT_DIR, else /tmp) for a person to look at.
#include <gtest/gtest.h>
#include <win32_headless.h>
#include <win32_test_kernel.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/dialogs/template_builder.h"
#include "platform/menus/menu_template.h"

using namespace dialog_test;

namespace {

std::function<void(HWND)> on_idle;

LRESULT CALLBACK frame_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_ENTERIDLE && on_idle) {
    auto step = on_idle;
    on_idle = nullptr;
    step(reinterpret_cast<HWND>(lparam));
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

INT_PTR CALLBACK client_proc(HWND hdlg, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  SendDlgItemMessageA(hdlg, 10000, LB_DIR, DDL_DRIVES | DDL_EXCLUSIVE, reinterpret_cast<LPARAM>("*.*"));
  SendDlgItemMessageA(hdlg, 10000, LB_SETCURSEL, 2, 0);
  return TRUE;
}

std::string shot_path(const char* name) {
  const char* dir = std::getenv("TORVEX_SCREENSHOT_DIR");
  return std::string(dir ? dir : "/tmp") + "/torvex-" + name + ".png";
}

COLORREF pixel_at(int x, int y) {
  int w = 0, h = 0;
  std::vector<COLORREF> pixels = headless::screen_pixels(&w, &h);
  if (x < 0 || y < 0 || x >= w || y >= h) return CLR_INVALID;
  return pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)];
}

class Screens : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!headless::active()) GTEST_SKIP() << "needs the headless display";
    setenv("TORVEX_DRIVES", "a=/tmp;b=/tmp;c=/tmp;d=/tmp", 1);
    win32_test::reload_drive_table();
    WNDCLASSA wc{};
    wc.lpfnWndProc = frame_proc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "ScreensFrame";
    RegisterClassA(&wc);
    std::vector<WORD> menu_bytes = menu_test::main_menu_template();
    menu_ = LoadMenuIndirectA(menu_bytes.data());
    frame_ = CreateWindowExA(0, "ScreensFrame", "TORVEX NT Benchmarks", WS_OVERLAPPEDWINDOW, 60, 40, 300, 200,
                             nullptr, menu_, nullptr, nullptr);
    for (UINT id : {4000u, 4001u, 4002u}) EnableMenuItem(menu_, id, MF_GRAYED | MF_BYCOMMAND);
    // The client dialog as the program makes it: a child filling the frame's client area.
    TemplateBuilder t = bench_dialog((0x84000000 & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS);
    client_ = CreateDialogIndirectParamA(nullptr, t.get(), frame_, client_proc, 0);
    RECT dialog, client, window;
    GetWindowRect(client_, &dialog);
    GetClientRect(frame_, &client);
    GetWindowRect(frame_, &window);
    MoveWindow(frame_, window.left, window.top,
               (window.right - window.left) + (dialog.right - dialog.left) - client.right,
               (window.bottom - window.top) + (dialog.bottom - dialog.top) - client.bottom, TRUE);
    MoveWindow(client_, 0, 0, dialog.right - dialog.left, dialog.bottom - dialog.top, TRUE);
    ShowWindow(client_, SW_SHOW);
    ShowWindow(frame_, SW_SHOW);
    UpdateWindow(frame_);
    pump(client_);
  }
  void TearDown() override {
    if (frame_) DestroyWindow(frame_);
    pump();
  }
  HWND frame_ = nullptr, client_ = nullptr;
  HMENU menu_ = nullptr;
};

TEST_F(Screens, BenchmarkWindowWithItsClientDialog) {
  EXPECT_TRUE(headless::screenshot(shot_path("bench-window").c_str()));
  // The dialog's background is the button face; the edit fields are window-coloured.
  RECT dialog;
  GetWindowRect(client_, &dialog);
  EXPECT_EQ(pixel_at(dialog.right - 6, dialog.bottom - 6), GetSysColor(COLOR_BTNFACE));
  RECT edit;
  GetWindowRect(GetDlgItem(client_, 10002), &edit);
  EXPECT_EQ(pixel_at(edit.right - 4, edit.bottom - 4), GetSysColor(COLOR_WINDOW));
  // The third drive is selected and drawn highlighted.
  EXPECT_EQ(SendDlgItemMessageA(client_, 10000, LB_GETCURSEL, 0, 0), 2);
  RECT item;
  SendDlgItemMessageA(client_, 10000, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  POINT corner{item.right - 2, item.top + 1};
  ClientToScreen(GetDlgItem(client_, 10000), &corner);
  EXPECT_EQ(pixel_at(corner.x, corner.y), GetSysColor(COLOR_HIGHLIGHT));
}

TEST_F(Screens, OpenFileMenu) {
  bool shown = false;
  on_idle = [&](HWND popup) {
    shown = popup != nullptr;
    headless::screenshot(shot_path("file-menu").c_str());
    RECT r;
    GetWindowRect(popup, &r);
    // The pop-up sits under the bar item and is drawn in the menu colour.
    EXPECT_EQ(pixel_at(r.right - 6, r.bottom - 6), GetSysColor(COLOR_MENU));
    headless::press_key(VK_ESCAPE);
    headless::press_key(VK_ESCAPE);
  };
  SetFocus(client_);
  headless::key(VK_MENU, true);
  headless::press_key('F');
  headless::key(VK_MENU, false);
  pump(client_);
  EXPECT_TRUE(shown);
}

TEST_F(Screens, MessageBoxOverTheWindow) {
  bool shown = false;
  on_idle = [&](HWND box) {
    shown = true;
    UpdateWindow(box);
    EXPECT_TRUE(headless::screenshot(shot_path("message-box").c_str()));
    headless::press_key(VK_RETURN);
  };
  EXPECT_EQ(MessageBoxExA(frame_, "Cannot create dialog box  ABOUT", "TORVEX NT Benchmarks", MB_ICONHAND | MB_OKCANCEL,
                          0),
            IDOK);
  EXPECT_TRUE(shown);
}

}  // namespace
