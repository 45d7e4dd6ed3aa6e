// The benchmark panel's classes.
#include "app/bench_dialog.h"

#include "app/control_ids.h"

namespace {

// The drive entries only, "[-x-]" in the list's sorted order.
constexpr WPARAM kDriveEntries = DDL_DRIVES | DDL_EXCLUSIVE;
constexpr char kAllFiles[] = "*.*";
// The default drive: the third entry, C: in the default drive table.
constexpr WPARAM kDefaultDriveIndex = 2;

}  // namespace

BEGIN_MESSAGE_MAP(Ckv_MainWinControlsBaseDlg, CKadrilClientDlg)
  ON_ENTRY(WM_DRAWITEM, 0, AfxSig_vs, OnDrawItem)
END_MESSAGE_MAP()

Ckv_MainWinControlsBaseDlg::~Ckv_MainWinControlsBaseDlg() = default;

void Ckv_MainWinControlsBaseDlg::OnDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  CWnd::OnDrawItem(lpDrawItemStruct);
}

BEGIN_MESSAGE_MAP(Ckv_MainWinControlsDlg, Ckv_MainWinControlsBaseDlg)
END_MESSAGE_MAP()

Ckv_MainWinControlsDlg::~Ckv_MainWinControlsDlg() = default;

BOOL Ckv_MainWinControlsDlg::OnInitDialog() {
  CWnd* pList = CWnd::FromHandle(GetDlgItem(hWnd, kIdDriveList));
  if (pList != nullptr) {
    pList->SendMessageA(LB_DIR, kDriveEntries, reinterpret_cast<LPARAM>(kAllFiles));
    // With fewer than three drives this fails and the list starts without a selection.
    pList->SendMessageA(LB_SETCURSEL, kDefaultDriveIndex, 0);
  }
  CDialog::OnInitDialog();
  return TRUE;
}

void Ckv_MainWinControlsDlg::OnOK() {}
void Ckv_MainWinControlsDlg::OnCancel() {}
