// The About box: three lines of text, OK, and a picture button showing the program icon.
#pragma once

#include "genui/kadril_dialogs.h"

class Ckv_AboutBaseDlg : public CKadrilModalDlg {
 public:
  Ckv_AboutBaseDlg(const char* lpszTemplateName, CWnd* pParentWnd);
  ~Ckv_AboutBaseDlg() override;

  // Draws the icon into the picture button when the whole button is drawn; focus and
  // selection changes draw nothing, so the icon stays.
  void OnDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

  DECLARE_MESSAGE_MAP()
};

class Ckv_AboutDlg : public Ckv_AboutBaseDlg {
 public:
  Ckv_AboutDlg(const char* lpszTemplateName, CWnd* pParentWnd);
  ~Ckv_AboutDlg() override;

  BOOL OnInitDialog() override;
  // OK, Enter, Escape and the close box all end the box.
  void OnOK() override;
  void OnCancel() override;

  DECLARE_MESSAGE_MAP()
};
