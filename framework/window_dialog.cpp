// Dialogs. A dialog window is subclassed by the creation hook like any framework
// window; the dialog manager's own procedure lands in CDialog's super-procedure slot,
// so unhandled messages reach the dialog manager, which in turn calls _AfxDlgProc for
// WM_INITDIALOG and WM_SETFONT. A dialog paints its controls on a brush of its own.
#include "framework/except.h"
#include "framework/winapp.h"
#include "framework/window.h"
#include "framework/wingdi.h"

IMPLEMENT_RUNTIME_CLASS(CDialog, CWnd)
IMPLEMENT_RUNTIME_CLASS(CModalDialog, CDialog)

WNDPROC CDialog::pfnSuper = nullptr;

// The button-face colour, the dialog's default control background.
constexpr int kDialogColour = COLOR_BTNFACE;
constexpr COLORREF kNoBrush = 0xFFFFFFFF;
// Control types whose platform colours are kept: message box, edit, list box.
constexpr UINT kFirstColouredCtlType = 3;

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_ENTRY(WM_CTLCOLOR, 0, AfxSig_hDWw, OnCtlColor)
END_MESSAGE_MAP()

CDialog::CDialog() { SetCtlBkColor(GetSysColor(kDialogColour)); }

CDialog::~CDialog() {
  if (hBrushCtlBk != nullptr) DeleteObject(hBrushCtlBk);
}

WNDPROC* CDialog::GetSuperWndProcAddr() { return &CDialog::pfnSuper; }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) { return IsDialogMessageA(hWnd, pMsg); }

BOOL CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnSetFont(CFont*) {}

void CDialog::EndDialog(int nResult) { ::EndDialog(hWnd, nResult); }

BOOL CDialog::SetCtlBkColor(COLORREF clrCtlBk) {
  if (hBrushCtlBk != nullptr) {
    DeleteObject(hBrushCtlBk);
    hBrushCtlBk = nullptr;
  }
  if (clrCtlBk == kNoBrush) return TRUE;
  hBrushCtlBk = CreateSolidBrush(clrCtlBk);
  return hBrushCtlBk != nullptr ? TRUE : FALSE;
}

HBRUSH CDialog::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlType) {
  if (hBrushCtlBk == nullptr || nCtlType < kFirstColouredCtlType) {
    return reinterpret_cast<HBRUSH>(Default());
  }
  LOGBRUSH logBrush;
  if (GetObjectA(hBrushCtlBk, sizeof(logBrush), &logBrush) != 0 && pDC != nullptr) {
    pDC->SetBkColor(logBrush.lbColor);
  }
  return hBrushCtlBk;
}

BOOL CDialog::Create(const char* lpszTemplateName, CWnd* pParentWnd) {
  if (pParentWnd == nullptr) pParentWnd = AfxGetApp() != nullptr ? AfxGetApp()->pMainWnd : nullptr;
  _AfxHookWindowCreate(this);
  HWND created = CreateDialogParamA(AfxGetResourceHandle(), lpszTemplateName,
                                    AfxGetSafeHwnd(pParentWnd), _AfxDlgProc, 0);
  _AfxUnhookWindowCreate();
  // A dialog that its WM_INITDIALOG destroyed comes back as NULL, or (on Windows) as the
  // handle of a window that no longer exists; a self-deleting dialog object is gone by
  // then, so only a dialog that lives is written to.
  if (created == nullptr || !IsWindow(created)) return FALSE;
  hWnd = created;
  return TRUE;
}

BOOL CDialog::CreateIndirect(const void* lpDialogTemplate, CWnd* pParentWnd) {
  if (pParentWnd == nullptr) pParentWnd = AfxGetApp() != nullptr ? AfxGetApp()->pMainWnd : nullptr;
  _AfxHookWindowCreate(this);
  HWND created = CreateDialogIndirectParamA(
      AfxGetResourceHandle(), static_cast<LPCDLGTEMPLATEA>(lpDialogTemplate),
      AfxGetSafeHwnd(pParentWnd), _AfxDlgProc, 0);
  _AfxUnhookWindowCreate();
  if (created == nullptr || !IsWindow(created)) return FALSE;  // as in Create: the object may be gone
  hWnd = created;
  return TRUE;
}

INT_PTR CALLBACK _AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  if (nMsg != WM_SETFONT && nMsg != WM_INITDIALOG) return 0;
  // A dialog created without the framework's hook has no object to tell.
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CDialog))) return nMsg == WM_INITDIALOG;
  auto* pDlg = static_cast<CDialog*>(pWnd);

  _AfxCurrentMessageScope current(hWnd, nMsg, wParam, lParam);
  INT_PTR result = 0;
  TRY {
    if (nMsg == WM_SETFONT) {
      pDlg->OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(wParam)));
    } else {
      result = pDlg->OnInitDialog();
    }
  }
  CATCH(CException, e) {
    pDlg->EndDialog(IDCANCEL);
    result = 0;
  }
  END_CATCH
  return result;
}

// ---- Modal dialogs ---------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CModalDialog, CDialog)
  ON_ENTRY(0, IDOK, AfxSig_vv, OnOK)
  ON_ENTRY(0, IDCANCEL, AfxSig_vv, OnCancel)
END_MESSAGE_MAP()

CModalDialog::CModalDialog(const char* lpszTemplateName, CWnd* pParentWnd)
    : lpszTemplateName(lpszTemplateName), pParentWnd(pParentWnd) {}

CModalDialog::CModalDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), pParentWnd(pParentWnd) {}

CModalDialog::~CModalDialog() = default;

BOOL CModalDialog::CreateIndirect(HANDLE hTemplate) {
  hDialogTemplate = hTemplate;
  return TRUE;
}

int CModalDialog::DoModal() {
  HWND hWndParent = pParentWnd != nullptr ? pParentWnd->hWnd
                    : AfxGetApp() != nullptr ? AfxGetSafeHwnd(AfxGetApp()->pMainWnd)
                                             : nullptr;
  _AfxHookWindowCreate(this);
  INT_PTR result;
  if (lpszTemplateName != nullptr) {
    result = DialogBoxParamA(AfxGetResourceHandle(), lpszTemplateName, hWndParent, _AfxDlgProc, 0);
  } else {
    result = DialogBoxIndirectParamA(AfxGetResourceHandle(),
                                     static_cast<LPCDLGTEMPLATEA>(hDialogTemplate), hWndParent,
                                     _AfxDlgProc, 0);
  }
  _AfxUnhookWindowCreate();
  Detach();
  return static_cast<int>(result);
}

void CModalDialog::OnOK() { EndDialog(IDOK); }
void CModalDialog::OnCancel() { EndDialog(IDCANCEL); }
