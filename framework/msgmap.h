// Message maps: the static tables through which a window object's messages reach its
// handlers. Each class with handlers has one CMessageMap (its entry table and the map of
// its base); each entry names a message (or notification code and id), a signature
// code that says how the message is unpacked, and the handler.
//
// A handler is stored as a small dispatch function generated per (handler, signature)
// pair: it unpacks wParam/lParam as the signature code says and calls the member
// function through the object, so a virtual handler runs the most derived override.
// This keeps the tables free of casts and checks each handler's type where the map is
// written. A class's map reads as a table, one entry per line:
//
//   BEGIN_MESSAGE_MAP(CMyFrame, CFrameWnd)
//     ON_WM_CREATE()
//     ON_COMMAND(4004, OnRun)
//     ON_ENTRY(WM_SETFOCUS, 0, AfxSig_vW, OnSetFocus)
//   END_MESSAGE_MAP()
#pragma once

#include <win32.h>

#include <type_traits>

class CWnd;
class CDC;
class CMenu;

// A point made from a packed word: x from the low 16 bits, y from the high 16 bits,
// each zero-extended.
struct CPoint : public POINT {
  constexpr CPoint() : POINT{0, 0} {}
  constexpr CPoint(int x0, int y0) : POINT{x0, y0} {}
  explicit constexpr CPoint(LPARAM packed)
      : POINT{static_cast<LONG>(packed & 0xFFFF), static_cast<LONG>((packed >> 16) & 0xFFFF)} {}
};

struct CRect : public RECT {
  constexpr CRect() : RECT{0, 0, 0, 0} {}
  constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
};

// The record that turns the seven control-colour messages into one WM_CTLCOLOR.
struct CCtlColorParams {
  HWND hWnd;
  HDC hDC;
  UINT nCtlType;
};

// The framework's own control-colour message (not a Win32 number).
constexpr UINT WM_CTLCOLOR = 0x0019;
// Entries for messages from RegisterWindowMessage carry this in nMessage.
constexpr UINT kRegisteredMessageBase = 0xC000;

// Signature codes: the letters say the result (b BOOL, h brush, i int, l LRESULT,
// v none) and then the arguments (D DC object, W window object, M menu object,
// w word, l lParam, i int, s pointer in lParam, p CPoint, b BOOL).
enum AfxSig : UINT {
  AfxSig_end = 0,
  AfxSig_bD = 1,      // (DC of wParam) -> result
  AfxSig_bw = 2,      // (wParam) -> result
  AfxSig_bWww = 3,    // (window of wParam, lo lParam, hi lParam) -> result
  AfxSig_hDWw = 4,    // (CCtlColorParams in lParam: DC, window, type) -> brush
  AfxSig_iwWw = 5,    // (lo wParam, window of lParam, hi wParam) -> result
  AfxSig_iWww = 6,    // (window of wParam, lo lParam, hi lParam) -> result
  AfxSig_is = 7,      // (lParam) -> result
  AfxSig_lwl = 8,     // (wParam, lParam) -> result
  AfxSig_lwwM = 9,    // (lo wParam, hi wParam, menu of lParam) -> result
  AfxSig_vv = 10,     // ()
  AfxSig_vw = 11,     // (wParam)
  AfxSig_vww = 12,    // (wParam, lParam)
  AfxSig_vvii = 13,   // (lo lParam, hi lParam)
  AfxSig_vwii = 14,   // (wParam, lo lParam, hi lParam)
  AfxSig_vwww = 15,   // (wParam, lo lParam, hi lParam)
  AfxSig_vwl = 16,    // (wParam, lParam)
  AfxSig_vbWW = 17,   // (lParam is this window, window of lParam, window of wParam)
  AfxSig_vD = 18,     // (DC of wParam)
  AfxSig_vM = 19,     // (menu of wParam)
  AfxSig_vMwb = 20,   // (menu of wParam, lo lParam, hi lParam)
  AfxSig_vW = 21,     // (window of wParam)
  AfxSig_vWww = 22,   // (window of wParam, lo lParam, hi lParam)
  AfxSig_vWl = 23,    // (window of wParam, lParam)
  AfxSig_vwW = 24,    // (wParam, window of lParam)
  AfxSig_vwWb = 25,   // (lo wParam, window of lParam, hi wParam != 0)
  AfxSig_vwwW = 26,   // (lo wParam, hi wParam, window of lParam)
  AfxSig_vs = 27,     // (lParam)
  AfxSig_lp = 28,     // (CPoint of lParam) -> result
  AfxSig_lv = 29,     // () -> result
  AfxSig_vl = 30,     // (lParam)
  AfxSig_vs2 = 31,    // (lParam)
  AfxSig_lw = 32,     // (wParam) -> result
  AfxSig_vwwl = 33,   // (lo wParam, hi wParam, lParam)
  AfxSig_vwp = 34,    // (wParam, CPoint of lParam)
};
constexpr UINT kLastSignature = AfxSig_vwp;

// What WindowProc returns for an entry of signature sig: the handler's result, or 0.
constexpr bool AfxSigReturnsResult(UINT sig) {
  return (sig >= AfxSig_bD && sig <= AfxSig_lwwM) || sig == AfxSig_lp || sig == AfxSig_lv ||
         sig == AfxSig_lw;
}

// The stored form of a handler: unpacks the message for its signature and calls it.
typedef LRESULT (*AFX_PMSG)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

struct CMessageEntry {
  UINT nMessage;  // message number, notification code, or kRegisteredMessageBase
  UINT nID;       // 0 for window messages; the command or control id
  // The signature code; for a registered message, the address of the UINT that holds
  // the registered number (hence pointer-sized).
  UINT_PTR nSig;
  AFX_PMSG pfn;
};

struct CMessageMap {
  const CMessageMap* pBaseMap;
  const CMessageEntry* lpEntries;
};

// ---- Handler dispatch (implementation of the entry macros) ------------------------------

CWnd* _AfxWndFromHandle(HWND h);
CDC* _AfxDCFromHandle(HDC h);
CMenu* _AfxMenuFromHandle(HMENU h);
HWND _AfxHwndOf(const CWnd* pWnd);

// A raw message value that converts to whatever integral or pointer type the handler
// declares for that argument.
struct _AfxArg {
  UINT_PTR value;
  template <class T>
  constexpr operator T() const {
    if constexpr (std::is_pointer_v<T>) {
      return reinterpret_cast<T>(value);
    } else {
      return static_cast<T>(value);
    }
  }
};

template <class R>
LRESULT _AfxResult(R result) {
  if constexpr (std::is_pointer_v<R>) {
    return reinterpret_cast<LRESULT>(result);
  } else {
    return static_cast<LRESULT>(result);
  }
}

template <class Pmf>
struct _AfxMemberClass;
template <class C, class R, class... A>
struct _AfxMemberClass<R (C::*)(A...)> {
  using Class = C;
  using Result = R;
};

inline _AfxArg _AfxLo(UINT_PTR v) { return {v & 0xFFFF}; }
inline _AfxArg _AfxHi(UINT_PTR v) { return {(v >> 16) & 0xFFFF}; }

// REQUIRES: pWnd is an object of the class whose map holds the entry (or derived).
template <auto handler, UINT sig>
LRESULT _AfxDispatch(CWnd* pWnd, WPARAM wParam, LPARAM lParam) {
  using Traits = _AfxMemberClass<decltype(handler)>;
  auto* object = static_cast<typename Traits::Class*>(pWnd);
  const UINT_PTR w = wParam;
  const UINT_PTR l = static_cast<UINT_PTR>(lParam);
  auto call = [&](auto... args) -> LRESULT {
    if constexpr (std::is_void_v<typename Traits::Result>) {
      (object->*handler)(args...);
      return 0;
    } else {
      return _AfxResult((object->*handler)(args...));
    }
  };
  auto wnd = [](UINT_PTR v) { return _AfxWndFromHandle(reinterpret_cast<HWND>(v)); };
  if constexpr (sig == AfxSig_bD || sig == AfxSig_vD) {
    return call(_AfxDCFromHandle(reinterpret_cast<HDC>(w)));
  } else if constexpr (sig == AfxSig_bw || sig == AfxSig_vw || sig == AfxSig_lw) {
    return call(_AfxArg{w});
  } else if constexpr (sig == AfxSig_bWww || sig == AfxSig_iWww || sig == AfxSig_vWww) {
    return call(wnd(w), _AfxLo(l), _AfxHi(l));
  } else if constexpr (sig == AfxSig_hDWw) {
    const auto* params = reinterpret_cast<const CCtlColorParams*>(l);
    // Only the framework sends this message; a stray one without its record is ignored.
    if (params == nullptr) return 0;
    return call(_AfxDCFromHandle(params->hDC), _AfxWndFromHandle(params->hWnd), params->nCtlType);
  } else if constexpr (sig == AfxSig_iwWw) {
    return call(_AfxLo(w), wnd(l), _AfxHi(w));
  } else if constexpr (sig == AfxSig_is || sig == AfxSig_vs || sig == AfxSig_vl ||
                       sig == AfxSig_vs2) {
    return call(_AfxArg{l});
  } else if constexpr (sig == AfxSig_lwl || sig == AfxSig_vww || sig == AfxSig_vwl) {
    return call(_AfxArg{w}, _AfxArg{l});
  } else if constexpr (sig == AfxSig_lwwM) {
    return call(_AfxLo(w), _AfxHi(w), _AfxMenuFromHandle(reinterpret_cast<HMENU>(l)));
  } else if constexpr (sig == AfxSig_vv || sig == AfxSig_lv) {
    return call();
  } else if constexpr (sig == AfxSig_vvii) {
    return call(_AfxLo(l), _AfxHi(l));
  } else if constexpr (sig == AfxSig_vwii || sig == AfxSig_vwww) {
    return call(_AfxArg{w}, _AfxLo(l), _AfxHi(l));
  } else if constexpr (sig == AfxSig_vbWW) {
    const BOOL isThis = reinterpret_cast<HWND>(l) == _AfxHwndOf(pWnd) ? TRUE : FALSE;
    return call(isThis, wnd(l), wnd(w));
  } else if constexpr (sig == AfxSig_vM) {
    return call(_AfxMenuFromHandle(reinterpret_cast<HMENU>(w)));
  } else if constexpr (sig == AfxSig_vMwb) {
    return call(_AfxMenuFromHandle(reinterpret_cast<HMENU>(w)), _AfxLo(l), _AfxHi(l));
  } else if constexpr (sig == AfxSig_vW) {
    return call(wnd(w));
  } else if constexpr (sig == AfxSig_vWl) {
    return call(wnd(w), _AfxArg{l});
  } else if constexpr (sig == AfxSig_vwW) {
    return call(_AfxArg{w}, wnd(l));
  } else if constexpr (sig == AfxSig_vwWb) {
    return call(_AfxLo(w), wnd(l), HIWORD(w) != 0 ? TRUE : FALSE);
  } else if constexpr (sig == AfxSig_vwwW) {
    return call(_AfxLo(w), _AfxHi(w), wnd(l));
  } else if constexpr (sig == AfxSig_lp) {
    return call(CPoint(static_cast<LPARAM>(l)));
  } else if constexpr (sig == AfxSig_vwwl) {
    return call(_AfxLo(w), _AfxHi(w), _AfxArg{l});
  } else if constexpr (sig == AfxSig_vwp) {
    return call(_AfxArg{w}, CPoint(static_cast<LPARAM>(l)));
  } else {
    // An unknown code: the dispatcher never calls such an entry.
    return 0;
  }
}

// ---- Declaring and defining maps --------------------------------------------------------

// Inside the class body of a class with a map of its own.
#define DECLARE_MESSAGE_MAP()                              \
 private:                                                  \
  static const CMessageEntry* _GetMessageEntries();        \
                                                           \
 protected:                                                \
  static const CMessageMap messageMap;                     \
  const CMessageMap* GetMessageMap() const override;       \
                                                           \
 private:

// In the class's source file. Entries name handlers of the class or of its bases.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
  const CMessageMap* theClass::GetMessageMap() const { return &theClass::messageMap; }   \
  const CMessageMap theClass::messageMap = {&baseClass::messageMap,                      \
                                            theClass::_GetMessageEntries()};             \
  const CMessageEntry* theClass::_GetMessageEntries() {                                  \
    using ThisClass [[maybe_unused]] = theClass;                                         \
    static const CMessageEntry entries[] = {
#define END_MESSAGE_MAP() \
  {0, 0, 0, nullptr}      \
  }                       \
  ;                       \
  return entries;         \
  }

// The general entry: message, id, signature, handler.
#define ON_ENTRY(message, id, sig, handler) \
  {(message), (id), (sig), &_AfxDispatch<&ThisClass::handler, (sig)>},

// Commands: menu items, accelerators and button clicks (code 0), or a notification.
#define ON_COMMAND(id, handler) ON_ENTRY(0, id, AfxSig_vv, handler)
#define ON_CONTROL(code, id, handler) ON_ENTRY(code, id, AfxSig_vv, handler)
#define ON_BN_CLICKED(id, handler) ON_CONTROL(0, id, handler)

// A message handled as LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, handler) ON_ENTRY(message, 0, AfxSig_lwl, handler)
// nMessageVariable: a UINT holding the number from RegisterWindowMessage.
#define ON_REGISTERED_MESSAGE(nMessageVariable, handler)                       \
  {kRegisteredMessageBase, 0, reinterpret_cast<UINT_PTR>(&(nMessageVariable)), \
   &_AfxDispatch<&ThisClass::handler, AfxSig_lwl>},

// Standard window messages with their handlers' usual names.
#define ON_WM_CREATE() ON_ENTRY(WM_CREATE, 0, AfxSig_is, OnCreate)
#define ON_WM_DESTROY() ON_ENTRY(WM_DESTROY, 0, AfxSig_vv, OnDestroy)
#define ON_WM_NCDESTROY() ON_ENTRY(WM_NCDESTROY, 0, AfxSig_vv, OnNcDestroy)
#define ON_WM_CLOSE() ON_ENTRY(WM_CLOSE, 0, AfxSig_vv, OnClose)
#define ON_WM_PAINT() ON_ENTRY(WM_PAINT, 0, AfxSig_vv, OnPaint)
#define ON_WM_ERASEBKGND() ON_ENTRY(WM_ERASEBKGND, 0, AfxSig_bD, OnEraseBkgnd)
#define ON_WM_SIZE() ON_ENTRY(WM_SIZE, 0, AfxSig_vwii, OnSize)
#define ON_WM_MOVE() ON_ENTRY(WM_MOVE, 0, AfxSig_vvii, OnMove)
#define ON_WM_SETFOCUS() ON_ENTRY(WM_SETFOCUS, 0, AfxSig_vW, OnSetFocus)
#define ON_WM_KILLFOCUS() ON_ENTRY(WM_KILLFOCUS, 0, AfxSig_vW, OnKillFocus)
#define ON_WM_ACTIVATE() ON_ENTRY(WM_ACTIVATE, 0, AfxSig_vwWb, OnActivate)
#define ON_WM_TIMER() ON_ENTRY(WM_TIMER, 0, AfxSig_vw, OnTimer)
#define ON_WM_INITMENU() ON_ENTRY(WM_INITMENU, 0, AfxSig_vM, OnInitMenu)
#define ON_WM_INITMENUPOPUP() ON_ENTRY(WM_INITMENUPOPUP, 0, AfxSig_vMwb, OnInitMenuPopup)
#define ON_WM_LBUTTONDOWN() ON_ENTRY(WM_LBUTTONDOWN, 0, AfxSig_vwp, OnLButtonDown)
#define ON_WM_LBUTTONUP() ON_ENTRY(WM_LBUTTONUP, 0, AfxSig_vwp, OnLButtonUp)
#define ON_WM_MOUSEMOVE() ON_ENTRY(WM_MOUSEMOVE, 0, AfxSig_vwp, OnMouseMove)
#define ON_WM_CHAR() ON_ENTRY(WM_CHAR, 0, AfxSig_vwww, OnChar)
#define ON_WM_KEYDOWN() ON_ENTRY(WM_KEYDOWN, 0, AfxSig_vwww, OnKeyDown)
#define ON_WM_HSCROLL() ON_ENTRY(WM_HSCROLL, 0, AfxSig_vwwW, OnHScroll)
#define ON_WM_VSCROLL() ON_ENTRY(WM_VSCROLL, 0, AfxSig_vwwW, OnVScroll)
#define ON_WM_DRAWITEM() ON_ENTRY(WM_DRAWITEM, 0, AfxSig_vs, OnDrawItem)
#define ON_WM_MEASUREITEM() ON_ENTRY(WM_MEASUREITEM, 0, AfxSig_vs, OnMeasureItem)
#define ON_WM_COMPAREITEM() ON_ENTRY(WM_COMPAREITEM, 0, AfxSig_is, OnCompareItem)
#define ON_WM_DELETEITEM() ON_ENTRY(WM_DELETEITEM, 0, AfxSig_vs, OnDeleteItem)
#define ON_WM_CTLCOLOR() ON_ENTRY(WM_CTLCOLOR, 0, AfxSig_hDWw, OnCtlColor)
