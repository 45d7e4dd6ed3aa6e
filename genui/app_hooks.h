// The routines the generated classes call and the application supplies. The generated
// layer knows nothing about benchmarks: every menu command, the creation of the main
// window and of its client dialog reach the application through these.
#pragma once

#include <win32.h>

#include "framework/msgmap.h"

class CWnd;

// Menu commands; each gets the object that received the command and returns TRUE, which
// the generated handlers ignore.
int BLD_SaveUDCFunc(CWnd* pWnd);
int BLD_SaveasUDCFunc(CWnd* pWnd);
int BLD_PrintUDCFunc(CWnd* pWnd);
int BLD_ExitUDCFunc(CWnd* pWnd);
int BLD_RunBenchMarksUDCFunc(CWnd* pWnd);
int BLD_AboutDlgFunc(CWnd* pWnd);

// Creates the main window with doCreate's six arguments; FALSE when it could not.
BOOL BLD_CreateWindowWndInit(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                             const CRect& rect, const CWnd* pParentWnd, const char* lpszMenuName);

// Creates the client dialog while the main window handles WM_CREATE; null on failure.
CWnd* BLD_MainWinControlsClFunc(CWnd* pMainWnd);
