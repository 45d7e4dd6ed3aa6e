// The application's part in creating the main window: the window itself, the benchmark
// panel while it handles WM_CREATE, and the File items that wait for the first run.
#include "app/bench_dialog.h"
#include "app/control_ids.h"
#include "framework/winmenu.h"
#include "genui/app_hooks.h"
#include "genui/application.h"
#include "genui/bld_helpers.h"
#include "genui/kadril_frame.h"

namespace {

// Save, Save as... and Print mean nothing before a run.
constexpr UINT kGrayedUntilRun[] = {kCmdSave, kCmdSaveAs, kCmdPrint};

}  // namespace

BOOL BLD_CreateWindowWndInit(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                             const CRect& rect, const CWnd* pParentWnd, const char* lpszMenuName) {
  if (TheApp.pMainFrame == nullptr) return FALSE;
  return TheApp.pMainFrame->doCreate(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd,
                                     lpszMenuName);
}

CWnd* BLD_MainWinControlsClFunc(CWnd*) {
  auto* pDialog = new Ckv_MainWinControlsDlg;
  if (BLDCreateClientControls(kBenchDialogName, pDialog)) return pDialog;
  BLDDisplayMessage(GetActiveWindow(), kIdsCannotCreateDialog, kBenchDialogName, MB_ICONHAND);
  return nullptr;
}

int Ckv_MainBaseWnd::BLD_WM_CREATEMsg(LPCREATESTRUCT) {
  CMenu* pMenu = CMenu::FromHandle(::GetMenu(hWnd));
  CMenu* pFile = pMenu != nullptr ? pMenu->GetSubMenu(0) : nullptr;
  if (pFile != nullptr) {
    for (UINT id : kGrayedUntilRun) EnableMenuItem(pFile->hMenu, id, MF_GRAYED | MF_BYCOMMAND);
  }
  return static_cast<int>(Default());
}
