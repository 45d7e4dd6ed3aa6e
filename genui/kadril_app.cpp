// Start-up and the keyboard filter of the generated application.
#include "genui/kadril_app.h"

#include "framework/window.h"
#include "genui/application.h"
#include "genui/kadril_frame.h"

CKadrilApp::CKadrilApp(const char* pszAppName) : CWinApp(pszAppName) {}
CKadrilApp::~CKadrilApp() = default;

BOOL CKadrilApp::InitApplication() { return TRUE; }

BOOL CKadrilApp::InitInstance() {
  strClassName = RegisterCustClass();
  if (strClassName.IsEmpty()) return FALSE;
  pMainWnd = new Ckv_MainWnd;
  if (pMainWnd == nullptr) return FALSE;
  TheApp.pMainFrame = static_cast<Ckv_MainWnd*>(pMainWnd);
  if (!TheApp.pMainFrame->InitWindow(strClassName)) return FALSE;
  TheApp.pMainFrame->InitMainMenu();
  ShowWindow(pMainWnd->hWnd, nCmdShow);
  UpdateWindow(pMainWnd->hWnd);
  return TRUE;
}

CString CKadrilApp::RegisterCustClass() {
  HICON hIcon = LoadIconA(AfxGetInstanceHandle(), "QUIRVEL");
  HCURSOR hCursor = LoadCursorA(nullptr, IDC_ARROW);
  return CString(AfxRegisterWndClass(kMainWindowStyle, hCursor,
                                     reinterpret_cast<HBRUSH>(kMainWindowBrush), hIcon));
}

BOOL CKadrilApp::PreTranslateMessage(MSG* pMsg) {
  // The frame's accelerators come before the client dialog's keyboard interface.
  if (pClientDlg != nullptr && pMainFrame != nullptr && pMainFrame->PreTranslateMessage(pMsg)) {
    return TRUE;
  }
  return CWinApp::PreTranslateMessage(pMsg);
}

int CKadrilApp::ExitInstance() {
  CWinApp::ExitInstance();
  return 1;
}
