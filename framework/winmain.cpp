// The program's entry as the runtime calls it: start-up parameters, the framework's
// fixed window classes, the application's initialisation, the message loop and the
// shut-down.
#include "framework/window.h"
#include "framework/winapp.h"

const char _afxWnd[] = "AfxWnd";
const char _afxMDIFrameWnd[] = "AfxMDIFrameWnd";
const char _afxFrameWnd[] = "AfxFrameWnd";

// Redraw on resize, double clicks.
constexpr UINT kFixedClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
constexpr UINT kMDIFrameIconId = 1;
constexpr UINT kFrameIconId = 2;

void _AfxClearPlacementWnds();

BOOL RegisterWithIcon(WNDCLASSA* pWndCls, const char* lpszClassName, UINT nIDIcon) {
  pWndCls->lpszClassName = lpszClassName;
  pWndCls->hIcon = LoadIconA(pWndCls->hInstance, MAKEINTRESOURCEA(nIDIcon));
  if (pWndCls->hIcon == nullptr) pWndCls->hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  return RegisterClassA(pWndCls) != 0 ? TRUE : FALSE;
}

// The creation hook always uses SetWindowsHookA here: this platform has no separate
// extended hook entry to look up, so _afxSetWindowsHookExProc stays null.
BOOL AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, char* lpCmdLine, int nCmdShow) {
  CWinApp* app = AfxGetApp();
  app->hInstance = hInstance;
  app->hPrevInstance = hPrevInstance;
  app->lpCmdLine = lpCmdLine;
  app->nCmdShow = nCmdShow;
  app->SetCurrentHandles();

  if (hPrevInstance == nullptr) {
    WNDCLASSA wndClass{};
    wndClass.lpfnWndProc = AfxWndProc;
    wndClass.hInstance = hInstance;
    wndClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wndClass.style = kFixedClassStyle;
    wndClass.lpszClassName = _afxWnd;
    if (!RegisterClassA(&wndClass)) return FALSE;
    if (!RegisterWithIcon(&wndClass, _afxMDIFrameWnd, kMDIFrameIconId)) return FALSE;
    wndClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(COLOR_WINDOW + 1));
    if (!RegisterWithIcon(&wndClass, _afxFrameWnd, kFrameIconId)) return FALSE;
  }
  return TRUE;
}

void AfxWinTerm() { _AfxClearPlacementWnds(); }

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, char* lpCmdLine, int nCmdShow) {
  int result = -1;
  CWinApp* app = AfxGetApp();
  if (AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) &&
      (hPrevInstance != nullptr || app->InitApplication()) && app->InitInstance()) {
    result = app->Run();
  }
  AfxWinTerm();
  return result;
}
