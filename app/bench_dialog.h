// The benchmark panel that fills the main window: the drive list, the Threads, Blocks and
// Repeat fields, the three result fields and the status line.
#pragma once

#include "genui/kadril_dialogs.h"

class Ckv_MainWinControlsBaseDlg : public CKadrilClientDlg {
 public:
  Ckv_MainWinControlsBaseDlg() = default;
  ~Ckv_MainWinControlsBaseDlg() override;

  // The panel has no owner-drawn controls: everything goes to the framework's routing.
  void OnDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  DECLARE_MESSAGE_MAP()
};

class Ckv_MainWinControlsDlg : public Ckv_MainWinControlsBaseDlg {
 public:
  Ckv_MainWinControlsDlg() = default;
  ~Ckv_MainWinControlsDlg() override;

  // Fills the drive list and selects its third entry.
  BOOL OnInitDialog() override;
  // Enter and Escape neither close nor change the panel.
  void OnOK() override;
  void OnCancel() override;

  DECLARE_MESSAGE_MAP()
};
