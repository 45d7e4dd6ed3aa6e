// The modeless dialog base: OK and Cancel destroy the window, and the object deletes
// itself after the window's last message. The program defines it but makes none.
#include "genui/app_hooks.h"
#include "genui/kadril_dialogs.h"
#include "genui/kadril_frame.h"

BEGIN_MESSAGE_MAP(CKadrilModelessDlg, CDialog)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
  ON_COMMAND(kCmdSave, kvIDM_SaveCM)
  ON_COMMAND(kCmdSaveAs, kvIDM_SaveasCM)
  ON_COMMAND(kCmdPrint, kvIDM_PrintCM)
  ON_COMMAND(kCmdExit, kvIDM_ExitCM)
  ON_COMMAND(kCmdRun, kvIDM_RunCM)
  ON_COMMAND(kCmdAbout, kvIDM_AboutCM)
END_MESSAGE_MAP()

CKadrilModelessDlg::~CKadrilModelessDlg() = default;

void CKadrilModelessDlg::PostNcDestroy() { delete this; }

BOOL CKadrilModelessDlg::doCreate(const char* lpszTemplateName, CWnd* pParentWnd) {
  return CDialog::Create(lpszTemplateName, pParentWnd);
}

void CKadrilModelessDlg::OnOK() { DestroyWindow(); }
void CKadrilModelessDlg::OnCancel() { DestroyWindow(); }

void CKadrilModelessDlg::kvIDM_SaveCM() { BLD_SaveUDCFunc(this); }
void CKadrilModelessDlg::kvIDM_SaveasCM() { BLD_SaveasUDCFunc(this); }
void CKadrilModelessDlg::kvIDM_PrintCM() { BLD_PrintUDCFunc(this); }
void CKadrilModelessDlg::kvIDM_ExitCM() { BLD_ExitUDCFunc(this); }
void CKadrilModelessDlg::kvIDM_RunCM() { BLD_RunBenchMarksUDCFunc(this); }
void CKadrilModelessDlg::kvIDM_AboutCM() { BLD_AboutDlgFunc(this); }
