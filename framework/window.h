// Window objects: a CWnd stands for one native window handle. Every framework window
// has the window procedure AfxWndProc, which finds the object and hands the message to
// its WindowProc; that dispatches through the class's message map. The window classes
// of the framework (controls, frames, dialogs) derive from CWnd.
#pragma once

#include "framework/msgmap.h"
#include "framework/object.h"

class CMenu;
class CDC;
class CFont;
class CWndHandleMap;

class CWnd : public CObject {
  DECLARE_RUNTIME_CLASS(CWnd)
 public:
  CWnd() = default;
  // Destroys the window if one is still attached.
  ~CWnd() override;

  virtual BOOL DestroyWindow();
  // Routes WM_COMMAND to the command entries of the maps; FALSE when none matches.
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // The per-class slot that keeps the window procedure found before subclassing.
  virtual WNDPROC* GetSuperWndProcAddr();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProcA(UINT nMsg, WPARAM wParam, LPARAM lParam);
  // Called after WM_NCDESTROY, when the object may delete itself.
  virtual void PostNcDestroy();
  virtual const CMessageMap* GetMessageMap() const;

  // A child window; a null class name means the framework's "AfxWnd".
  BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
              const RECT& rect, const CWnd* pParentWnd, UINT nID);

  BOOL Attach(HWND hWndNew);
  HWND Detach();
  static CWnd* FromHandle(HWND h);
  static CWnd* FromHandlePermanent(HWND h);
  static void DeleteTempMap();

  // Callers holding a pointer that may be null use AfxGetSafeHwnd.
  HWND GetSafeHwnd() const { return hWnd; }
  LRESULT SendMessageA(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);
  CMenu* GetMenu() const;

  // The attached window handle, or null.
  HWND hWnd = nullptr;

 protected:
  BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName,
                DWORD dwStyle, int x, int y, int nWidth, int nHeight, HWND hWndParent,
                HMENU nIDorHMenu);

  // Default processing of the message being handled.
  LRESULT Default();
  static const MSG* GetCurrentMessage();

  void OnDestroy();
  void OnNcDestroy();

  // Owner-draw and control-colour routing.
  void OnDrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  void OnMeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  int OnCompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  void OnDeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
  LRESULT OnNTCtlColor(WPARAM wParam, LPARAM lParam);
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlType);

  static const CMessageMap messageMap;
  static WNDPROC pfnSuper;

 private:
  // The root map's entries; ThisClass lets them be written with the entry macros.
  using ThisClass = CWnd;
  static const CMessageEntry _messageEntries[];

  // Only for the placement constants, whose handles are pseudo-handles.
  explicit CWnd(HWND hWndPseudo) : hWnd(hWndPseudo) {}
  friend struct _AfxPlacementWnd;
};

// The handle of a window object that may itself be null (a missing parent).
inline HWND AfxGetSafeHwnd(const CWnd* pWnd) { return pWnd != nullptr ? pWnd->hWnd : nullptr; }

// The placement constants for SetWindowPos: pseudo-handles 0, 1, -1, -2. AfxWinTerm
// clears them; they are never destroyed, so they touch no window at exit.
extern const CWnd& wndTop;
extern const CWnd& wndBottom;
extern const CWnd& wndTopMost;
extern const CWnd& wndNoTopMost;

// ---- Window procedure, creation hook and dispatch state ---------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
LRESULT _AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);

void _AfxHookWindowCreate(CWnd* pWnd);
// TRUE when the hook already attached the object; FALSE when it was still waiting.
BOOL _AfxUnhookWindowCreate();
LRESULT CALLBACK _AfxSendMsgHook(int code, WPARAM wParam, LPARAM lParam);

// Makes a message the current one for the scope of the object, keeping the time and
// position of the record, and restores the outer message at the end of the scope.
class _AfxCurrentMessageScope {
 public:
  _AfxCurrentMessageScope(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
  ~_AfxCurrentMessageScope();
  _AfxCurrentMessageScope(const _AfxCurrentMessageScope&) = delete;
  _AfxCurrentMessageScope& operator=(const _AfxCurrentMessageScope&) = delete;

 private:
  MSG saved;
};

const CMessageEntry* FindMessageEntry(const CMessageEntry* lpEntry, UINT nMsg, UINT nID);

extern CWndHandleMap afxWndMap;
extern MSG afxCurrentMsg;
extern CWnd* afxHookedWnd;
extern HHOOK afxHookHandle;
// The extended hook-setting entry; null here, so the creation hook uses SetWindowsHookA.
extern HHOOK(WINAPI* _afxSetWindowsHookExProc)(int, HOOKPROC, HINSTANCE, DWORD);

// The message cache in front of the maps: direct-mapped on the low byte of
// (map address XOR message number). A null entry caches "no handler".
constexpr int kMsgCacheSize = 256;
struct AFX_MSG_CACHE {
  UINT nMsg;
  const CMessageEntry* lpEntry;
  const CMessageMap* pMessageMap;
};
extern AFX_MSG_CACHE _afxMsgCache[kMsgCacheSize];

// ---- Controls whose owner-draw requests the parent routes to them -----------------------

class CButton : public CWnd {
  DECLARE_RUNTIME_CLASS(CButton)
 public:
  ~CButton() override;
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
};

class CListBox : public CWnd {
  DECLARE_RUNTIME_CLASS(CListBox)
 public:
  ~CListBox() override;
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
};

class CComboBox : public CWnd {
  DECLARE_RUNTIME_CLASS(CComboBox)
 public:
  ~CComboBox() override;
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
};

// The menu, among pMenu and its pop-ups (depth first), that directly holds item nID.
CMenu* FindPopupMenuFromID(CMenu* pMenu, UINT nID);

// ---- Frame windows -------------------------------------------------------------------

class CFrameWnd : public CWnd {
  DECLARE_RUNTIME_CLASS(CFrameWnd)
 public:
  CFrameWnd() = default;
  // Frees the accelerator table. Frames delete themselves after WM_NCDESTROY, so they
  // must be allocated with new.
  ~CFrameWnd() override;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  void PostNcDestroy() override;
  virtual CFrameWnd* GetParentFrame();
  virtual CFrameWnd* GetChildFrame();

  // A null class name means "AfxFrameWnd"; a named menu that cannot be loaded means no
  // window.
  BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
              const RECT& rect = rectDefault, const CWnd* pParentWnd = nullptr,
              const char* lpszMenuName = nullptr);
  BOOL LoadAccelTable(const char* lpszResourceName);

  // CW_USEDEFAULT position and size.
  static const CRect rectDefault;

  HACCEL hAccelTable = nullptr;
};

// The name of a registered window class with these attributes, made up on demand. The
// name lives in one static buffer, overwritten by the next call.
const char* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr,
                                HBRUSH hbrBackground = nullptr, HICON hIcon = nullptr);

// ---- Dialogs -------------------------------------------------------------------------

class CDialog : public CWnd {
  DECLARE_RUNTIME_CLASS(CDialog)
 public:
  // Starts with a solid brush of the button-face colour for its controls.
  CDialog();
  ~CDialog() override;

  WNDPROC* GetSuperWndProcAddr() override;
  // The dialog keyboard interface, for modeless dialogs offered messages by the pump.
  BOOL PreTranslateMessage(MSG* pMsg) override;
  virtual BOOL OnInitDialog();
  virtual void OnSetFont(CFont* pFont);

  // 0xFFFFFFFF: no brush, the platform's colours.
  BOOL SetCtlBkColor(COLORREF clrCtlBk);
  void EndDialog(int nResult);

  HBRUSH hBrushCtlBk = nullptr;

 protected:
  // Modeless creation; a null parent means the application's main window.
  BOOL Create(const char* lpszTemplateName, CWnd* pParentWnd = nullptr);
  BOOL CreateIndirect(const void* lpDialogTemplate, CWnd* pParentWnd = nullptr);

  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlType);

  static WNDPROC pfnSuper;

  DECLARE_MESSAGE_MAP()
};

class CModalDialog : public CDialog {
  DECLARE_RUNTIME_CLASS(CModalDialog)
 public:
  CModalDialog(const char* lpszTemplateName, CWnd* pParentWnd = nullptr);
  CModalDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CModalDialog() override;

  // Uses an in-memory template when there is no template name; creates nothing.
  BOOL CreateIndirect(HANDLE hDialogTemplate);

  // The value given to EndDialog, or -1 when the dialog cannot be created.
  virtual int DoModal();
  virtual void OnOK();
  virtual void OnCancel();

  const char* lpszTemplateName;
  HANDLE hDialogTemplate = nullptr;
  CWnd* pParentWnd;

  DECLARE_MESSAGE_MAP()
};

// The dialog procedure given to the platform's dialog functions.
INT_PTR CALLBACK _AfxDlgProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
