// The generated layer's helper routines: a message box made of a string-table text and a
// resource name, owner-drawn pictures, the client dialog placed in the main window with
// the window fitted around it, a window move that keeps the window on the screen, and a
// menu swap. They run on the user-interface thread only.
#pragma once

#include <win32.h>

class CWnd;
class CKadrilClientDlg;

// String-table texts of the resource-failure messages; each ends in a blank.
constexpr UINT kIdsCannotRun = 4000;
constexpr UINT kIdsCannotCreateDialog = 4001;
constexpr UINT kIdsCannotLoadMenu = 4002;
constexpr UINT kIdsCannotLoadIcon = 4003;
constexpr UINT kIdsCannotLoadBitmap = 4004;

// The title of every message box of the program.
constexpr char kMessageTitle[] = "TORVEX NT Benchmarks";
// What is shown when the string itself cannot be loaded.
constexpr char kCannotLoadString[] = "Cannot load string.";
// The longest message text, without its terminating zero.
constexpr int kMessageTextLimit = 200;

// Shows string nID (none for 0) followed by a blank and the name, when both fit in the
// limit. The box's result; 0 when the string is missing.
int BLDDisplayMessage(HWND hWndOwner, UINT nID, const char* lpszName, UINT nStyle);

// Draws the named icon at the control's top-left corner. Non-zero when drawn.
int BLDDrawIcon(LPDRAWITEMSTRUCT lpDrawItemStruct, const char* lpszIconName);

// Copies the named bitmap into the item rectangle, scaled to it when bStretch is non-zero,
// else cut off at its size. 1 when drawn.
int BLDDrawBitmap(LPDRAWITEMSTRUCT lpDrawItemStruct, const char* lpszBitmapName, int bStretch);

// Creates the dialog from the named template as the main window's client area, replacing
// any earlier one, and fits the main window around it. 1 on success.
int BLDCreateClientControls(const char* lpszTemplateName, CKadrilClientDlg* pDialog);

// MoveWindow, with a window that fits the screen moved back so it ends at the screen's
// right and bottom edges at the latest.
void BLDMoveWindow(HWND hWnd, int x, int y, int cx, int cy, BOOL bRepaint);

// Gives the window (or, for a child, its top-level parent) the named menu. 1 on success.
int BLDSwitchMenu(CWnd* pWnd, const char* lpszMenuName);
