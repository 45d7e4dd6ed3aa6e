// The application object and the message pump. Every queued message passes the
// PreTranslateMessage filters of its window, the window's parents and the main window
// before it is translated and dispatched; whenever the queue runs dry the application
// gets idle time, in which the temporary wrapper objects of the handle maps are deleted.
#include "framework/winapp.h"

#include "framework/window.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"

#include <cstring>

IMPLEMENT_RUNTIME_CLASS(CWinApp, CObject)

CWinApp* afxCurrentWinApp = nullptr;
HINSTANCE afxCurrentInstanceHandle = nullptr;
HINSTANCE afxCurrentResourceHandle = nullptr;
const char* afxCurrentAppName = nullptr;

constexpr DWORD kModuleNameSize = 256;

CWinApp::CWinApp(const char* pszAppName) : pszAppName(pszAppName) { afxCurrentWinApp = this; }

CWinApp::~CWinApp() {
  delete[] ownedAppName;
  if (afxCurrentWinApp == this) afxCurrentWinApp = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }
BOOL CWinApp::InitInstance() { return TRUE; }
int CWinApp::ExitInstance() { return static_cast<int>(msgCur.wParam); }

void CWinApp::SetCurrentHandles() {
  afxCurrentInstanceHandle = hInstance;
  afxCurrentResourceHandle = hInstance;
  if (pszAppName == nullptr) {
    char moduleName[kModuleNameSize];
    const DWORD length = GetModuleFileNameA(hInstance, moduleName, kModuleNameSize - 1);
    moduleName[length < kModuleNameSize ? length : kModuleNameSize - 1] = '\0';
    ownedAppName = new char[std::strlen(moduleName) + 1];
    std::strcpy(ownedAppName, moduleName);
    pszAppName = ownedAppName;
  }
  afxCurrentAppName = pszAppName;
}

int CWinApp::Run() {
  for (;;) {
    LONG lIdleCount = 0;
    while (!PeekMessageA(&msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
      if (!OnIdle(lIdleCount++)) break;
    }
    if (!PumpMessage()) return ExitInstance();
  }
}

BOOL CWinApp::PumpMessage() {
  if (!GetMessageA(&msgCur, nullptr, 0, 0)) return FALSE;
  if (!PreTranslateMessage(&msgCur)) {
    TranslateMessage(&msgCur);
    DispatchMessageA(&msgCur);
  }
  return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
  for (HWND h = pMsg->hwnd; h != nullptr; h = GetParent(h)) {
    CWnd* pWnd = CWnd::FromHandlePermanent(h);
    if (pWnd == nullptr) continue;
    if (pWnd->PreTranslateMessage(pMsg)) return TRUE;
    // The main window has had its turn.
    if (pWnd == pMainWnd) return FALSE;
  }
  return pMainWnd != nullptr && pMainWnd->PreTranslateMessage(pMsg) ? TRUE : FALSE;
}

BOOL CWinApp::OnIdle(LONG) {
  CGdiObject::DeleteTempMap();
  CDC::DeleteTempMap();
  CMenu::DeleteTempMap();
  CWnd::DeleteTempMap();
  return FALSE;
}
