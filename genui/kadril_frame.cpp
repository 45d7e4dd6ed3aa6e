// The generated frame base and the main window: command routing, creation of the client
// dialog during WM_CREATE, and the focus hand-over to it.
#include "genui/kadril_frame.h"

#include "genui/app_hooks.h"
#include "genui/application.h"
#include "genui/kadril_dialogs.h"

// ---- CKadrilFrameWnd ----------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CKadrilFrameWnd, CWnd)
  ON_COMMAND(kCmdSave, kvIDM_SaveCM)
  ON_COMMAND(kCmdSaveAs, kvIDM_SaveasCM)
  ON_COMMAND(kCmdPrint, kvIDM_PrintCM)
  ON_COMMAND(kCmdExit, kvIDM_ExitCM)
  ON_COMMAND(kCmdRun, kvIDM_RunCM)
  ON_COMMAND(kCmdAbout, kvIDM_AboutCM)
END_MESSAGE_MAP()

CKadrilFrameWnd::~CKadrilFrameWnd() = default;

BOOL CKadrilFrameWnd::LoadAccelTable(const char*) { return TRUE; }

BOOL CKadrilFrameWnd::doCreate(const char* lpszClassName, const char* lpszWindowName,
                               DWORD dwStyle, const CRect& rect, const CWnd* pParentWnd,
                               const char* lpszMenuName) {
  return CFrameWnd::Create(lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, lpszMenuName);
}

void CKadrilFrameWnd::kvIDM_SaveCM() { BLD_SaveUDCFunc(this); }
void CKadrilFrameWnd::kvIDM_SaveasCM() { BLD_SaveasUDCFunc(this); }
void CKadrilFrameWnd::kvIDM_PrintCM() { BLD_PrintUDCFunc(this); }
void CKadrilFrameWnd::kvIDM_ExitCM() { BLD_ExitUDCFunc(this); }
void CKadrilFrameWnd::kvIDM_RunCM() { BLD_RunBenchMarksUDCFunc(this); }
void CKadrilFrameWnd::kvIDM_AboutCM() { BLD_AboutDlgFunc(this); }

// ---- Ckv_MainBaseWnd ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(Ckv_MainBaseWnd, CKadrilFrameWnd)
  ON_ENTRY(WM_CREATE, 0, AfxSig_is, OnCreate)
  ON_ENTRY(WM_SETFOCUS, 0, AfxSig_vW, OnSetFocus)
END_MESSAGE_MAP()

Ckv_MainBaseWnd::~Ckv_MainBaseWnd() {
  if (TheApp.pMainFrame == this) TheApp.pMainFrame = nullptr;
}

BOOL Ckv_MainBaseWnd::LoadAccelTable(const char* lpszResourceName) {
  if (hAccelTable != nullptr) {
    FreeResource(reinterpret_cast<HGLOBAL>(hAccelTable));
    hAccelTable = nullptr;
  }
  if (lpszResourceName == nullptr) return FALSE;
  return CFrameWnd::LoadAccelTable(lpszResourceName);
}

BOOL Ckv_MainBaseWnd::InitWindow(const char* lpszClassName) {
  const BOOL created = BLD_CreateWindowWndInit(lpszClassName, kMainWindowTitle, kMainWindowStyle,
                                               rectDefault, nullptr, kMainMenuName);
  if (created) return created;
  // A creation that failed inside WM_CREATE has already deleted this object along with
  // its window; then there is nothing left to try again with.
  if (TheApp.pMainFrame != this) return FALSE;
  return doCreate(lpszClassName, kMainWindowTitle, kMainWindowStyle, rectDefault, nullptr,
                  kMainMenuName);
}

BOOL Ckv_MainBaseWnd::InitMainMenu() { return TRUE; }

int Ckv_MainBaseWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
  BLD_MainWinControlsClFunc(this);
  return BLD_WM_CREATEMsg(lpCreateStruct);
}

void Ckv_MainBaseWnd::OnSetFocus(CWnd*) {
  CKadrilClientDlg* pClient = TheApp.pClientDlg;
  if (pClient != nullptr && IsWindow(pClient->hWnd)) CWnd::FromHandle(SetFocus(pClient->hWnd));
}

// ---- Ckv_MainWnd ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(Ckv_MainWnd, Ckv_MainBaseWnd)
  ON_ENTRY(WM_SETFOCUS, 0, AfxSig_vW, OnSetFocus)
END_MESSAGE_MAP()

Ckv_MainWnd::~Ckv_MainWnd() = default;

void Ckv_MainWnd::OnSetFocus(CWnd* pOldWnd) { Ckv_MainBaseWnd::OnSetFocus(pOldWnd); }
