// Frame windows: top-level windows with an optional menu and accelerator table, which
// delete their own objects once their windows are gone; and window classes made up on
// demand from their attributes.
#include "framework/window.h"

#include "framework/except.h"
#include "framework/winapp.h"

IMPLEMENT_RUNTIME_CLASS(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::~CFrameWnd() {
  if (hAccelTable != nullptr) FreeResource(reinterpret_cast<HGLOBAL>(hAccelTable));
}

BOOL CFrameWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                       const RECT& rect, const CWnd* pParentWnd, const char* lpszMenuName) {
  if (lpszClassName == nullptr) lpszClassName = _afxFrameWnd;
  HMENU hMenu = nullptr;
  if (lpszMenuName != nullptr) {
    hMenu = LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
    if (hMenu == nullptr) return FALSE;
  }
  // With rectDefault all four come out as CW_USEDEFAULT (0 - 0x80000000 wraps to it),
  // so the platform picks both position and size.
  const int width = static_cast<int>(static_cast<UINT>(rect.right) - static_cast<UINT>(rect.left));
  const int height = static_cast<int>(static_cast<UINT>(rect.bottom) - static_cast<UINT>(rect.top));
  if (!CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, width, height,
                AfxGetSafeHwnd(pParentWnd), hMenu)) {
    // Nothing else refers to a menu loaded for a window that never came to be.
    if (hMenu != nullptr) DestroyMenu(hMenu);
    return FALSE;
  }
  return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(const char* lpszResourceName) {
  hAccelTable = LoadAcceleratorsA(AfxGetResourceHandle(), lpszResourceName);
  return hAccelTable != nullptr ? TRUE : FALSE;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg) {
  return hAccelTable != nullptr && TranslateAcceleratorA(hWnd, hAccelTable, pMsg) != 0 ? TRUE
                                                                                       : FALSE;
}

void CFrameWnd::PostNcDestroy() { delete this; }

CFrameWnd* CFrameWnd::GetParentFrame() { return this; }
CFrameWnd* CFrameWnd::GetChildFrame() { return this; }

// ---- Window classes made up on demand ------------------------------------------------

constexpr int kClassNameBufferSize = 64;
static char _afxClassName[kClassNameBufferSize];

const char* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground,
                                HICON hIcon) {
  // Handles are written as their 32-bit values, the way the name's format reads them.
  auto hex = [](const void* handle) {
    return static_cast<UINT>(reinterpret_cast<UINT_PTR>(handle));
  };
  if (hCursor == nullptr && hbrBackground == nullptr && hIcon == nullptr) {
    wsprintfA(_afxClassName, "Afx:%x", nClassStyle);
  } else {
    wsprintfA(_afxClassName, "Afx:%x:%x:%x:%x", nClassStyle, hex(hCursor), hex(hbrBackground),
              hex(hIcon));
  }

  WNDCLASSA wndClass{};
  if (GetClassInfoA(AfxGetInstanceHandle(), _afxClassName, &wndClass)) return _afxClassName;

  wndClass = WNDCLASSA{};
  wndClass.style = nClassStyle;
  wndClass.lpfnWndProc = AfxWndProc;
  wndClass.hInstance = AfxGetInstanceHandle();
  wndClass.hIcon = hIcon;
  wndClass.hCursor = hCursor;
  wndClass.hbrBackground = hbrBackground;
  wndClass.lpszClassName = _afxClassName;
  if (!RegisterClassA(&wndClass)) AfxThrowResourceException();
  return _afxClassName;
}
