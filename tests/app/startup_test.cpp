// The program as it opens: the main window, its menu, the benchmark panel that fills it
// exactly, the panel's controls with their texts, and the drive list.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include "app/control_ids.h"
#include "program.h"

namespace app_test {
namespace {

struct ControlText {
  int id;
  const char* text;
};

// The panel's 18 controls in creation order, with the texts they start with.
constexpr ControlText kPanelControls[] = {
    {100, "Disk Drive:"},
    {102, "Threads:"},
    {104, "Blocks:"},
    {10001, "1"},
    {10002, "4096"},
    {108, "Repeat:"},
    {10003, "1"},
    {110, "Integer Performance:"},
    {10004, "-----"},
    {112, "KDhry/s"},
    {113, "Floating Point Performance:"},
    {114, "Disk Performance:"},
    {10005, "-----"},
    {10006, "-----"},
    {117, "KWhet/s"},
    {118, "Kbyte/s"},
    {10007, "Status: Not Running"},
    {10000, ""},
};

std::string ListEntry(HWND list, int index) {
  char text[64] = {};
  SendMessageA(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(Startup, MainWindowPanelControlsAndMenu) {
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  HWND frame = program.Frame();
  EXPECT_EQ(program.Text(frame), "TORVEX NT Benchmarks");

  // The class: made up from its attributes, with the program icon and the frame's style
  // bits as class style.
  char className[64] = {};
  GetClassNameA(frame, className, sizeof className);
  EXPECT_EQ(std::string(className).rfind("Afx:f0000:", 0), 0u) << className;
  EXPECT_EQ(GetClassLongPtrA(frame, GCL_STYLE), 0xF0000u);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(frame, GCLP_HICON)),
            LoadIconA(GetModuleHandleA(nullptr), "QUIRVEL"));
  EXPECT_EQ(GetClassLongPtrA(frame, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
  const DWORD style = static_cast<DWORD>(GetWindowLongA(frame, GWL_STYLE));
  EXPECT_EQ(style & 0xF0000u, 0xF0000u);
  EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));

  // The panel is the frame's only child and fills its client area exactly.
  HWND panel = program.Panel();
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(GetWindowLongA(panel, GWL_STYLE) & WS_CHILD);
  EXPECT_EQ(GetWindow(panel, GW_HWNDNEXT), nullptr);
  RECT client{}, panelRect{};
  GetClientRect(frame, &client);
  GetWindowRect(panel, &panelRect);
  EXPECT_EQ(client.right, panelRect.right - panelRect.left);
  EXPECT_EQ(client.bottom, panelRect.bottom - panelRect.top);
  // 132 x 109 dialog units.
  RECT units{0, 0, 132, 109};
  MapDialogRect(panel, &units);
  EXPECT_EQ(client.right, units.right);
  EXPECT_EQ(client.bottom, units.bottom);

  // The controls, in creation order, with their texts.
  HWND child = GetWindow(panel, GW_CHILD);
  for (const ControlText& expected : kPanelControls) {
    ASSERT_NE(child, nullptr) << "missing control " << expected.id;
    EXPECT_EQ(GetDlgCtrlID(child), expected.id);
    EXPECT_EQ(program.Text(child), expected.text) << "control " << expected.id;
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);

  // Save, Save as... and Print wait for a run; Exit does not.
  EXPECT_EQ(FileItemState(frame, 4000), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(FileItemState(frame, 4001), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(FileItemState(frame, 4002), static_cast<UINT>(MF_GRAYED));
  EXPECT_EQ(FileItemState(frame, 4003), 0u);

  EXPECT_TRUE(headless::screenshot_window(frame, ShotPath("torvex_main_before_run.png").c_str()));
}

TEST(Startup, OneSortedEntryPerDriveWithTheThirdSelected) {
  TestDrives drives(4);
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  HWND list = program.Item(kIdDriveList);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(ListEntry(list, 0), "[-a-]");
  EXPECT_EQ(ListEntry(list, 1), "[-b-]");
  EXPECT_EQ(ListEntry(list, 2), "[-c-]");
  EXPECT_EQ(ListEntry(list, 3), "[-d-]");
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 2);
}

}  // namespace
}  // namespace app_test
