// Window objects and their run-time classes.
#include "framework/window.h"

IMPLEMENT_RUNTIME_CLASS(CWnd, CObject)
IMPLEMENT_RUNTIME_CLASS(CButton, CWnd)
IMPLEMENT_RUNTIME_CLASS(CListBox, CWnd)
IMPLEMENT_RUNTIME_CLASS(CComboBox, CWnd)
IMPLEMENT_RUNTIME_CLASS(CFrameWnd, CWnd)
IMPLEMENT_RUNTIME_CLASS(CDialog, CWnd)
IMPLEMENT_RUNTIME_CLASS(CModalDialog, CDialog)

CWnd::~CWnd() = default;
CButton::~CButton() = default;
CListBox::~CListBox() = default;
CComboBox::~CComboBox() = default;
CFrameWnd::~CFrameWnd() = default;
CDialog::~CDialog() = default;
CModalDialog::~CModalDialog() = default;
