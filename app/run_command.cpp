// Run!: reads the panel's inputs, runs the Dhrystone, Whetstone and disk drivers in that
// order on the GUI thread, writes each rate into its result field, keeps the run in
// LastRun and enables the File items that a run makes meaningful.
#include "app/run_command.h"

#include "app/control_ids.h"
#include "app/last_run.h"
#include "engine/disk_drive.h"
#include "engine/disknt.h"
#include "engine/drivers.h"
#include "framework/window.h"
#include "framework/winmenu.h"
#include "genui/app_hooks.h"
#include "genui/kadril_frame.h"

#include <cstdio>
#include <cstring>

namespace {

// Save, Save as... and Print: grayed from the frame's creation until the first run.
constexpr UINT kRunEnabledItems[] = {kCmdSave, kCmdSaveAs, kCmdPrint};

// The benchmark panel: the frame's top child window, when it is one (it holds the status
// line). Without the panel, for example when it could not be created, there is nothing
// to read the inputs from or to show results in.
HWND FindPanel(HWND hFrame) {
  HWND hTop = GetTopWindow(hFrame);
  if (hTop == nullptr || GetDlgItem(hTop, kIdStatus) == nullptr) return nullptr;
  return hTop;
}

// A scratch file that would not leave room on the drive is refused the way too many
// threads are: a beep, a box naming the drive and its space, and the field set to the
// largest count that fits. A drive whose space cannot be read is left to the disk test,
// which reports it.
INT HoldBlocksToTheDrive(HWND hFrame, HWND hPanel, const char* drive, INT blocks) {
  const std::int64_t fits = DiskBlocksThatFit(drive);
  if (fits < 0 || blocks <= fits) return blocks;
  ULARGE_INTEGER available{};
  GetDiskFreeSpaceExA(drive, &available, nullptr, nullptr);
  char text[160];
  std::snprintf(text, sizeof text, kBlocksLimitFormat, drive, blocks,
                static_cast<unsigned long long>(available.QuadPart), static_cast<long long>(fits));
  MessageBeep(0);
  MessageBoxExA(hFrame, text, kBlocksLimitCaption, MB_OK, 0);
  SetDlgItemInt(hPanel, kIdBlocks, static_cast<UINT>(fits), FALSE);
  return static_cast<INT>(fits);
}

void EnableFileItems(HWND hFrame) {
  CMenu* pMenu = CMenu::FromHandle(GetMenu(hFrame));
  CMenu* pFile = pMenu != nullptr ? pMenu->GetSubMenu(0) : nullptr;
  if (pFile == nullptr) return;
  for (UINT id : kRunEnabledItems) EnableMenuItem(pFile->hMenu, id, MF_ENABLED | MF_BYCOMMAND);
}

}  // namespace

int BLD_RunBenchMarksUDCFunc(CWnd* pWnd) {
  const HWND hFrame = AfxGetSafeHwnd(pWnd);
  const HWND hPanel = FindPanel(hFrame);
  if (hPanel == nullptr) {
    MessageBeep(0);
    return TRUE;
  }
  CWnd* pPanel = CWnd::FromHandle(hPanel);

  // With no drive picked the selection call leaves the buffer as it is: empty. A disk
  // test without a drive has no place inside the drive table to write to, so the person
  // is told before anything runs, and nothing changes.
  char drive[kDriveSpecSize] = "";
  DlgDirSelectExA(hPanel, drive, sizeof drive, kIdDriveList);
  drive[kDriveSpecSize - 1] = '\0';
  if (drive[0] == '\0') {
    MessageBeep(0);
    MessageBoxExA(hFrame, kNoDriveText, kNoDriveCaption, MB_OK, 0);
    return TRUE;
  }

  // Unsigned reads kept in signed 32 bits: empty or non-numeric fields read as 0.
  INT threads = static_cast<INT>(GetDlgItemInt(hPanel, kIdThreads, nullptr, FALSE));
  INT blocks = static_cast<INT>(GetDlgItemInt(hPanel, kIdBlocks, nullptr, FALSE));
  const INT repeat = static_cast<INT>(GetDlgItemInt(hPanel, kIdRepeat, nullptr, FALSE));

  if (threads > kMaxRunThreads) {
    MessageBeep(0);
    MessageBoxExA(hFrame, kThreadLimitText, kThreadLimitCaption, MB_OK, 0);
    SetDlgItemInt(hPanel, kIdThreads, kMaxRunThreads, TRUE);
    threads = kMaxRunThreads;
  }
  blocks = HoldBlocksToTheDrive(hFrame, hPanel, drive, blocks);

  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  SetDlgItemTextA(hPanel, kIdStatus, kStatusDhrystone);
  CString dhrystone = DoDhrystone(pPanel, threads, repeat);
  SetDlgItemTextA(hPanel, kIdDhrystoneResult, dhrystone);
  SetDlgItemTextA(hPanel, kIdStatus, kStatusWhetstone);
  CString whetstone = DoWhetstone(pPanel, threads, repeat);
  SetDlgItemTextA(hPanel, kIdWhetstoneResult, whetstone);
  SetDlgItemTextA(hPanel, kIdStatus, kStatusDisk);
  CString disk = DoDiskBench(pPanel, blocks, repeat, drive);
  SetDlgItemTextA(hPanel, kIdDiskResult, disk);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));

  Sleep(kCompletePauseMilliseconds);
  SetDlgItemTextA(hPanel, kIdStatus, kStatusComplete);

  LastRun.threadCount = threads;
  LastRun.blockCount = blocks;
  LastRun.repeatCount = repeat;
  std::memcpy(LastRun.driveSpec, drive, sizeof drive);
  LastRun.dhrystone = dhrystone;
  LastRun.whetstone = whetstone;
  LastRun.disk = disk;

  EnableFileItems(hFrame);
  return TRUE;
}
