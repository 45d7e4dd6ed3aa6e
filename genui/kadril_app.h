// The generated application base. It registers the main window's class with the program
// icon, creates and shows the main window, gives the main window's accelerators the
// first look at keyboard messages while a client dialog fills it, and ends the program
// with exit code 1.
#pragma once

#include "framework/cstring.h"
#include "framework/winapp.h"

class CKadrilClientDlg;
class Ckv_MainBaseWnd;

class CKadrilApp : public CWinApp {
 public:
  explicit CKadrilApp(const char* pszAppName = nullptr);
  ~CKadrilApp() override;

  BOOL InitApplication() override;
  BOOL InitInstance() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // The exit code: 1 after a normal end, whatever the quit message carried.
  int ExitInstance() override;
  // Registers the main window class; its name, or a resource exception.
  virtual CString RegisterCustClass();

  // The dialog that fills the main window's client area. Cleared when its object goes
  // with its window, so nothing reads through it afterwards.
  CKadrilClientDlg* pClientDlg = nullptr;
  // The main window object; cleared the same way.
  Ckv_MainBaseWnd* pMainFrame = nullptr;
  CString strClassName;
};

// Class style and window style of the main window: system menu, thick frame, minimize
// and maximize boxes. The class keeps the same bits; the window system ignores those it
// does not know as class styles.
constexpr DWORD kMainWindowStyle = WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
// The background brush given as a system colour index plus one.
constexpr UINT_PTR kMainWindowBrush = COLOR_WINDOW + 1;
