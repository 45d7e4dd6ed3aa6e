// The application object, the process-wide handles the framework reads, and the
// message pump with its idle processing. There is exactly one application object, of a
// class derived from CWinApp, constructed before WinMain runs.
#pragma once

#include "framework/object.h"

class CWnd;

class CWinApp : public CObject {
  DECLARE_RUNTIME_CLASS(CWinApp)
 public:
  // Makes the new object the current application.
  explicit CWinApp(const char* pszAppName = nullptr);
  ~CWinApp() override;

  virtual BOOL InitApplication();
  virtual BOOL InitInstance();
  // Pumps and idles until WM_QUIT; returns ExitInstance().
  virtual int Run();
  // Offers the message to the window objects from its window up the parent chain, and
  // to the main window when the chain does not reach it.
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Deletes the temporary wrapper objects; FALSE: no more idle time wanted.
  virtual BOOL OnIdle(LONG lCount);
  // The exit code of the WM_QUIT that ended Run.
  virtual int ExitInstance();

  void SetCurrentHandles();
  // One message; FALSE when it was WM_QUIT.
  BOOL PumpMessage();

  const char* pszAppName;
  HINSTANCE hInstance = nullptr;
  HINSTANCE hPrevInstance = nullptr;
  char* lpCmdLine = nullptr;
  int nCmdShow = 0;
  CWnd* pMainWnd = nullptr;
  MSG msgCur{};

 private:
  // The heap copy of the module name made when no name was given.
  char* ownedAppName = nullptr;
};

extern CWinApp* afxCurrentWinApp;
extern HINSTANCE afxCurrentInstanceHandle;
extern HINSTANCE afxCurrentResourceHandle;
extern const char* afxCurrentAppName;

inline CWinApp* AfxGetApp() { return afxCurrentWinApp; }
inline HINSTANCE AfxGetInstanceHandle() { return afxCurrentInstanceHandle; }
inline HINSTANCE AfxGetResourceHandle() { return afxCurrentResourceHandle; }

// The framework's fixed window classes, registered by the first instance.
extern const char _afxWnd[];
extern const char _afxMDIFrameWnd[];
extern const char _afxFrameWnd[];

BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, char* lpCmdLine, int nCmdShow);
// Detaches the placement constants from any window before the statics go away.
void AfxWinTerm();
BOOL RegisterWithIcon(WNDCLASSA* pWndCls, const char* lpszClassName, UINT nIDIcon);

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, char* lpCmdLine, int nCmdShow);
