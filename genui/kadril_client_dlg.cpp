// The client dialog base: the panel that fills the main window. It stays until its
// window is destroyed, then deletes its object.
#include "genui/application.h"
#include "genui/kadril_dialogs.h"

BEGIN_MESSAGE_MAP(CKadrilClientDlg, CDialog)
  ON_COMMAND(IDOK, OnOK)
  ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CKadrilClientDlg::~CKadrilClientDlg() {
  if (TheApp.pClientDlg == this) TheApp.pClientDlg = nullptr;
}

void CKadrilClientDlg::PostNcDestroy() { delete this; }

BOOL CKadrilClientDlg::doCreateIndirect(const void* lpDialogTemplate, CWnd* pParentWnd) {
  return CDialog::CreateIndirect(lpDialogTemplate, pParentWnd);
}

void CKadrilClientDlg::OnOK() {}
void CKadrilClientDlg::OnCancel() {}
