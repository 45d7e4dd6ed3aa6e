// The modal dialog base: ends through CModalDialog's OK and Cancel, and passes the menu
// commands on like the main window does.
#include "genui/app_hooks.h"
#include "genui/kadril_dialogs.h"
#include "genui/kadril_frame.h"

BEGIN_MESSAGE_MAP(CKadrilModalDlg, CModalDialog)
  ON_COMMAND(kCmdSave, kvIDM_SaveCM)
  ON_COMMAND(kCmdSaveAs, kvIDM_SaveasCM)
  ON_COMMAND(kCmdPrint, kvIDM_PrintCM)
  ON_COMMAND(kCmdExit, kvIDM_ExitCM)
  ON_COMMAND(kCmdRun, kvIDM_RunCM)
  ON_COMMAND(kCmdAbout, kvIDM_AboutCM)
END_MESSAGE_MAP()

CKadrilModalDlg::CKadrilModalDlg(const char* lpszTemplateName, CWnd* pParentWnd)
    : CModalDialog(lpszTemplateName, pParentWnd) {}
CKadrilModalDlg::~CKadrilModalDlg() = default;

void CKadrilModalDlg::kvIDM_SaveCM() { BLD_SaveUDCFunc(this); }
void CKadrilModalDlg::kvIDM_SaveasCM() { BLD_SaveasUDCFunc(this); }
void CKadrilModalDlg::kvIDM_PrintCM() { BLD_PrintUDCFunc(this); }
void CKadrilModalDlg::kvIDM_ExitCM() { BLD_ExitUDCFunc(this); }
void CKadrilModalDlg::kvIDM_RunCM() { BLD_RunBenchMarksUDCFunc(this); }
void CKadrilModalDlg::kvIDM_AboutCM() { BLD_AboutDlgFunc(this); }
