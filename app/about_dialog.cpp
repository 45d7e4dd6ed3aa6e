// The About box's classes and the Help/About command.
#include "app/about_dialog.h"

#include "app/control_ids.h"
#include "genui/app_hooks.h"
#include "genui/bld_helpers.h"

BEGIN_MESSAGE_MAP(Ckv_AboutBaseDlg, CKadrilModalDlg)
  ON_ENTRY(WM_DRAWITEM, 0, AfxSig_vs, OnDrawItem)
END_MESSAGE_MAP()

Ckv_AboutBaseDlg::Ckv_AboutBaseDlg(const char* lpszTemplateName, CWnd* pParentWnd)
    : CKadrilModalDlg(lpszTemplateName, pParentWnd) {}
Ckv_AboutBaseDlg::~Ckv_AboutBaseDlg() = default;

void Ckv_AboutBaseDlg::OnDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (lpDrawItemStruct->CtlType == ODT_BUTTON && lpDrawItemStruct->itemAction == ODA_DRAWENTIRE &&
      lpDrawItemStruct->CtlID == kIdAboutPicture) {
    BLDDrawIcon(lpDrawItemStruct, kProgramIconName);
    return;
  }
  CWnd::OnDrawItem(lpDrawItemStruct);
}

BEGIN_MESSAGE_MAP(Ckv_AboutDlg, Ckv_AboutBaseDlg)
END_MESSAGE_MAP()

Ckv_AboutDlg::Ckv_AboutDlg(const char* lpszTemplateName, CWnd* pParentWnd)
    : Ckv_AboutBaseDlg(lpszTemplateName, pParentWnd) {}
Ckv_AboutDlg::~Ckv_AboutDlg() = default;

BOOL Ckv_AboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  return TRUE;
}

void Ckv_AboutDlg::OnOK() { CModalDialog::OnOK(); }
void Ckv_AboutDlg::OnCancel() { CModalDialog::OnCancel(); }

int BLD_AboutDlgFunc(CWnd* pWnd) {
  Ckv_AboutDlg about(kAboutDialogName, pWnd);
  const int result = about.DoModal();
  if (result == -1) {
    BLDDisplayMessage(GetActiveWindow(), kIdsCannotCreateDialog, kAboutDialogName, MB_ICONHAND);
  }
  return result;
}
