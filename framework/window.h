// Window objects: a CWnd stands for one native window handle. The window classes of
// the framework (controls, frames, dialogs) derive from it.
#pragma once

#include "framework/object.h"

class CWnd : public CObject {
  DECLARE_RUNTIME_CLASS(CWnd)
 public:
  CWnd() = default;
  ~CWnd() override;

  HWND GetSafeHwnd() const { return hWnd; }

  // The attached window handle, or null.
  HWND hWnd = nullptr;
};

// The handle of a window object that may itself be null (a missing parent).
inline HWND AfxGetSafeHwnd(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->hWnd : nullptr; }

class CButton : public CWnd {
  DECLARE_RUNTIME_CLASS(CButton)
 public:
  ~CButton() override;
};

class CListBox : public CWnd {
  DECLARE_RUNTIME_CLASS(CListBox)
 public:
  ~CListBox() override;
};

class CComboBox : public CWnd {
  DECLARE_RUNTIME_CLASS(CComboBox)
 public:
  ~CComboBox() override;
};

class CFrameWnd : public CWnd {
  DECLARE_RUNTIME_CLASS(CFrameWnd)
 public:
  ~CFrameWnd() override;
};

class CDialog : public CWnd {
  DECLARE_RUNTIME_CLASS(CDialog)
 public:
  ~CDialog() override;
};

class CModalDialog : public CDialog {
  DECLARE_RUNTIME_CLASS(CModalDialog)
 public:
  ~CModalDialog() override;
};
