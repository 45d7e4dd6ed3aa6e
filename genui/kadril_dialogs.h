// The generated dialog bases. Each fixes how a dialog of its kind ends and who deletes
// its object: a modal dialog belongs to its creator; a modeless one destroys its window
// on OK or Cancel and deletes itself; a client dialog fills the main window, ignores OK
// and Cancel and deletes itself when its window goes.
#pragma once

#include "framework/window.h"

class CKadrilModalDlg : public CModalDialog {
 public:
  CKadrilModalDlg(const char* lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CKadrilModalDlg() override;

  // The menu commands, as on the main window, with the dialog as the argument.
  void kvIDM_SaveCM();
  void kvIDM_SaveasCM();
  void kvIDM_PrintCM();
  void kvIDM_ExitCM();
  void kvIDM_RunCM();
  void kvIDM_AboutCM();

  DECLARE_MESSAGE_MAP()
};

class CKadrilModelessDlg : public CDialog {
 public:
  CKadrilModelessDlg() = default;
  ~CKadrilModelessDlg() override;

  void PostNcDestroy() override;
  // Creates the dialog window from a named template; a null parent means the main window.
  virtual BOOL doCreate(const char* lpszTemplateName, CWnd* pParentWnd);
  // Both destroy the window; the object then deletes itself.
  virtual void OnOK();
  virtual void OnCancel();

  void kvIDM_SaveCM();
  void kvIDM_SaveasCM();
  void kvIDM_PrintCM();
  void kvIDM_ExitCM();
  void kvIDM_RunCM();
  void kvIDM_AboutCM();

  DECLARE_MESSAGE_MAP()
};

class CKadrilClientDlg : public CDialog {
 public:
  CKadrilClientDlg() = default;
  // Clears the application's pointer to this object.
  ~CKadrilClientDlg() override;

  void PostNcDestroy() override;
  // Creates the dialog from a template in memory; a null parent means the main window.
  virtual BOOL doCreateIndirect(const void* lpDialogTemplate, CWnd* pParentWnd);
  // Enter and Escape in the panel do nothing.
  virtual void OnOK();
  virtual void OnCancel();

  DECLARE_MESSAGE_MAP()
};
