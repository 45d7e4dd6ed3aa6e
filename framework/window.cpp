// Window objects: binding to handles, creation through the creation hook, the window
// procedure with its try point, default processing and destruction.
#include "framework/window.h"

#include "framework/except.h"
#include "framework/handle_map.h"
#include "framework/winapp.h"
#include "framework/winmenu.h"

#include <initializer_list>

IMPLEMENT_RUNTIME_CLASS(CWnd, CObject)

// The window map comes first so that it outlives every other static of this unit.
CWndHandleMap afxWndMap;
MSG afxCurrentMsg;
CWnd* afxHookedWnd = nullptr;
HHOOK afxHookHandle = nullptr;
HHOOK(WINAPI* _afxSetWindowsHookExProc)(int, HOOKPROC, HINSTANCE, DWORD) = nullptr;
WNDPROC CWnd::pfnSuper = nullptr;

// Storage for the placement constants that is never destroyed: their handles are
// pseudo-handles, and nothing may reach the window system during process exit.
struct _AfxPlacementWnd {
  union {
    CWnd wnd;
  };
  explicit _AfxPlacementWnd(HWND h) : wnd(h) {}
  ~_AfxPlacementWnd() {}
};
static _AfxPlacementWnd placementTop(HWND_TOP);
static _AfxPlacementWnd placementBottom(HWND_BOTTOM);
static _AfxPlacementWnd placementTopMost(HWND_TOPMOST);
static _AfxPlacementWnd placementNoTopMost(HWND_NOTOPMOST);
const CWnd& wndTop = placementTop.wnd;
const CWnd& wndBottom = placementBottom.wnd;
const CWnd& wndTopMost = placementTopMost.wnd;
const CWnd& wndNoTopMost = placementNoTopMost.wnd;

// Called by AfxWinTerm: the constants then hold no handle at all.
void _AfxClearPlacementWnds() {
  for (_AfxPlacementWnd* placement :
       {&placementTop, &placementBottom, &placementTopMost, &placementNoTopMost}) {
    placement->wnd.hWnd = nullptr;
  }
}

CWnd* _AfxWndFromHandle(HWND h) { return CWnd::FromHandle(h); }
HWND _AfxHwndOf(const CWnd* pWnd) { return AfxGetSafeHwnd(pWnd); }

// ---- Binding ----------------------------------------------------------------------------

BOOL CWnd::Attach(HWND hWndNew) {
  if (hWndNew == nullptr) return FALSE;
  hWnd = hWndNew;
  afxWndMap.SetPermanent(hWnd, this);
  return TRUE;
}

HWND CWnd::Detach() {
  HWND old = hWnd;
  if (old != nullptr) afxWndMap.RemovePermanent(old);
  hWnd = nullptr;
  return old;
}

CWnd* CWnd::FromHandle(HWND h) { return static_cast<CWnd*>(afxWndMap.FromHandle(h)); }

CWnd* CWnd::FromHandlePermanent(HWND h) {
  void* object = nullptr;
  if (h == nullptr || !afxWndMap.LookupPermanent(h, object)) return nullptr;
  return static_cast<CWnd*>(object);
}

void CWnd::DeleteTempMap() { afxWndMap.DeleteTemp(); }

// ---- Creation ---------------------------------------------------------------------------

void _AfxHookWindowCreate(CWnd* pWnd) {
  if (_afxSetWindowsHookExProc != nullptr) {
    afxHookHandle = _afxSetWindowsHookExProc(WH_CALLWNDPROC, _AfxSendMsgHook, nullptr, 0);
  } else {
    afxHookHandle = SetWindowsHookA(WH_CALLWNDPROC, _AfxSendMsgHook);
  }
  afxHookedWnd = pWnd;
}

BOOL _AfxUnhookWindowCreate() {
  if (afxHookedWnd == nullptr) return TRUE;
  UnhookWindowsHook(WH_CALLWNDPROC, _AfxSendMsgHook);
  afxHookedWnd = nullptr;
  return FALSE;
}

// Catches the first message of the window being created (WM_GETMINMAXINFO for an
// overlapped window, WM_NCCREATE otherwise), binds the waiting object to it and makes
// AfxWndProc its procedure, so that very message already reaches the object.
LRESULT CALLBACK _AfxSendMsgHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) {
    CallNextHookEx(afxHookHandle, code, wParam, lParam);
    return 0;
  }
  const auto* record = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (record->message != WM_GETMINMAXINFO && record->message != WM_NCCREATE) return 0;
  if (afxHookedWnd == nullptr) return 0;

  CWnd* pWnd = afxHookedWnd;
  pWnd->Attach(record->hwnd);
  auto old = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(record->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
  if (old != &AfxWndProc) *pWnd->GetSuperWndProcAddr() = old;
  UnhookWindowsHook(WH_CALLWNDPROC, _AfxSendMsgHook);
  afxHookedWnd = nullptr;
  return 0;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                    DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                    HMENU nIDorHMenu) {
  _AfxHookWindowCreate(this);
  HWND created = CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y,
                                 nWidth, nHeight, hWndParent, nIDorHMenu,
                                 AfxGetInstanceHandle(), nullptr);
  _AfxUnhookWindowCreate();
  return created != nullptr ? TRUE : FALSE;
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const RECT& rect, const CWnd* pParentWnd, UINT nID) {
  if (lpszClassName == nullptr) lpszClassName = _afxWnd;
  // Width and height wrap like the 32-bit arithmetic they stand for.
  const int width = static_cast<int>(static_cast<UINT>(rect.right) - static_cast<UINT>(rect.left));
  const int height = static_cast<int>(static_cast<UINT>(rect.bottom) - static_cast<UINT>(rect.top));
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                  width, height, AfxGetSafeHwnd(pParentWnd),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

// ---- The window procedure -------------------------------------------------------------

// Every window of the framework has a permanent object: the creation hook binds it
// before the window procedure is replaced. A window reached without one (a foreign
// window given this procedure by hand) gets the platform's default processing.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
  if (pWnd == nullptr) return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  return _AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

_AfxCurrentMessageScope::_AfxCurrentMessageScope(HWND hWnd, UINT nMsg, WPARAM wParam,
                                                 LPARAM lParam)
    : saved(afxCurrentMsg) {
  afxCurrentMsg.hwnd = hWnd;
  afxCurrentMsg.message = nMsg;
  afxCurrentMsg.wParam = wParam;
  afxCurrentMsg.lParam = lParam;
}

_AfxCurrentMessageScope::~_AfxCurrentMessageScope() { afxCurrentMsg = saved; }

LRESULT _AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
  _AfxCurrentMessageScope current(hWnd, nMsg, wParam, lParam);
  LRESULT result = 0;
  TRY {
    result = pWnd->WindowProc(nMsg, wParam, lParam);
  }
  CATCH(CException, e) {
    // A failed WM_CREATE fails the creation; any other message is simply answered 0.
    result = nMsg == WM_CREATE ? -1 : 0;
  }
  END_CATCH
  return result;
}

const MSG* CWnd::GetCurrentMessage() {
  afxCurrentMsg.time = static_cast<DWORD>(GetMessageTime());
  const DWORD pos = GetMessagePos();
  afxCurrentMsg.pt.x = static_cast<short>(LOWORD(pos));
  afxCurrentMsg.pt.y = static_cast<short>(HIWORD(pos));
  return &afxCurrentMsg;
}

LRESULT CWnd::Default() {
  // The framework's WM_CTLCOLOR carries a record of its own, and the system knows the
  // number as a message of another era (Win32's default procedure answers it with a
  // brush for whatever it reads in the record's address). Its default is the system's
  // answer to the control-colour message it stands for.
  if (afxCurrentMsg.message == WM_CTLCOLOR && afxCurrentMsg.lParam != 0) {
    const auto* params = reinterpret_cast<const CCtlColorParams*>(afxCurrentMsg.lParam);
    return DefWindowProcA(WM_CTLCOLORMSGBOX + params->nCtlType, reinterpret_cast<WPARAM>(params->hDC),
                          reinterpret_cast<LPARAM>(params->hWnd));
  }
  return DefWindowProcA(afxCurrentMsg.message, afxCurrentMsg.wParam, afxCurrentMsg.lParam);
}

WNDPROC* CWnd::GetSuperWndProcAddr() { return &CWnd::pfnSuper; }

LRESULT CWnd::DefWindowProcA(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  WNDPROC super = *GetSuperWndProcAddr();
  if (super == nullptr) return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
  return CallWindowProcA(super, hWnd, nMsg, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::SendMessageA(UINT nMsg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(hWnd, nMsg, wParam, lParam);
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(hWnd)); }

// ---- Destruction ------------------------------------------------------------------------

CWnd::~CWnd() { CWnd::DestroyWindow(); }

BOOL CWnd::DestroyWindow() {
  if (hWnd == nullptr) return FALSE;
  void* object = nullptr;
  const BOOL permanent = afxWndMap.LookupPermanent(hWnd, object);
  const BOOL result = ::DestroyWindow(hWnd);
  // Permanent objects are detached by their WM_NCDESTROY.
  if (!permanent) Detach();
  return result;
}

void CWnd::OnDestroy() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->pMainWnd == this) PostQuitMessage(0);
  Default();
}

void CWnd::OnNcDestroy() {
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->pMainWnd == this) app->pMainWnd = nullptr;
  Default();
  Detach();
  PostNcDestroy();
}

void CWnd::PostNcDestroy() {}
