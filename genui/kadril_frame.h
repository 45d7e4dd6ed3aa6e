// The generated frame base and the program's main window. The base routes the six menu
// commands to the application's routines; the main window creates its client dialog
// while it is created and hands the keyboard focus on to it.
#pragma once

#include "framework/window.h"

class CKadrilFrameWnd : public CFrameWnd {
 public:
  CKadrilFrameWnd() = default;
  ~CKadrilFrameWnd() override;

  // This base has no accelerators: TRUE, nothing loaded.
  virtual BOOL LoadAccelTable(const char* lpszResourceName);
  // Creates the frame window (CFrameWnd::Create with the same arguments).
  virtual BOOL doCreate(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                        const CRect& rect, const CWnd* pParentWnd, const char* lpszMenuName);

  void kvIDM_SaveCM();
  void kvIDM_SaveasCM();
  void kvIDM_PrintCM();
  void kvIDM_ExitCM();
  void kvIDM_RunCM();
  void kvIDM_AboutCM();

  DECLARE_MESSAGE_MAP()
};

class Ckv_MainBaseWnd : public CKadrilFrameWnd {
 public:
  Ckv_MainBaseWnd() = default;
  // Clears the application's pointer to this object.
  ~Ckv_MainBaseWnd() override;

  // Frees any table held, then loads the named one; FALSE for no name.
  BOOL LoadAccelTable(const char* lpszResourceName) override;
  // Creates the main window through the application's hook, or directly when that fails.
  virtual BOOL InitWindow(const char* lpszClassName);
  virtual BOOL InitMainMenu();

  int OnCreate(LPCREATESTRUCT lpCreateStruct);
  void OnSetFocus(CWnd* pOldWnd);
  // The application's part of WM_CREATE; its result is WM_CREATE's.
  int BLD_WM_CREATEMsg(LPCREATESTRUCT lpCreateStruct);

  DECLARE_MESSAGE_MAP()
};

class Ckv_MainWnd : public Ckv_MainBaseWnd {
 public:
  Ckv_MainWnd() = default;
  ~Ckv_MainWnd() override;

  void OnSetFocus(CWnd* pOldWnd);

  DECLARE_MESSAGE_MAP()
};

// The main window's title and its menu resource.
constexpr char kMainWindowTitle[] = "TORVEX NT Benchmarks";
constexpr char kMainMenuName[] = "MAINMENUBAR";

// Menu command ids.
constexpr UINT kCmdSave = 4000;
constexpr UINT kCmdSaveAs = 4001;
constexpr UINT kCmdPrint = 4002;
constexpr UINT kCmdExit = 4003;
constexpr UINT kCmdRun = 4004;
constexpr UINT kCmdAbout = 4005;
