// Device-context and GDI object wrappers, their handle maps and run-time classes.
#include "framework/wingdi.h"

#include "framework/except.h"
#include "framework/handle_map.h"
#include "framework/window.h"

IMPLEMENT_RUNTIME_CLASS(CDC, CObject)
IMPLEMENT_RUNTIME_CLASS(CClientDC, CDC)
IMPLEMENT_RUNTIME_CLASS(CWindowDC, CDC)
IMPLEMENT_RUNTIME_CLASS(CPaintDC, CDC)
IMPLEMENT_RUNTIME_CLASS(CMetaFileDC, CDC)
IMPLEMENT_RUNTIME_CLASS(CGdiObject, CObject)
IMPLEMENT_RUNTIME_CLASS(CPen, CGdiObject)
IMPLEMENT_RUNTIME_CLASS(CBrush, CGdiObject)
IMPLEMENT_RUNTIME_CLASS(CFont, CGdiObject)
IMPLEMENT_RUNTIME_CLASS(CBitmap, CGdiObject)
IMPLEMENT_RUNTIME_CLASS(CPalette, CGdiObject)
IMPLEMENT_RUNTIME_CLASS(CRgn, CGdiObject)

static CDCHandleMap afxDCMap;

// Temporary drawing-object wrappers are made of the handle's own kind (a CFont for a
// font), so that CFont::FromHandle and CDC::SelectPalette hand them out through their
// kinds' pointer types without pretending a plain CGdiObject is a CFont.
class CGdiKindHandleMap : public CHandleMap {
 public:
  CGdiKindHandleMap() = default;
  // Temporary objects left at program end go with the map, as in every family.
  ~CGdiKindHandleMap() { DeleteTemp(); }

 protected:
  CObject* NewTempObject(HANDLE h) override {
    CGdiObject* wrapper = NewWrapperOfKind(GetObjectType(h));
    wrapper->hObject = h;
    return wrapper;
  }
  void DeleteTempObject(CObject* pObject) override {
    auto* wrapper = static_cast<CGdiObject*>(pObject);
    wrapper->hObject = nullptr;
    delete wrapper;
  }

 private:
  static CGdiObject* NewWrapperOfKind(DWORD objectType) {
    switch (objectType) {
      case OBJ_PEN: return new CPen;
      case OBJ_BRUSH: return new CBrush;
      case OBJ_FONT: return new CFont;
      case OBJ_BITMAP: return new CBitmap;
      case OBJ_PAL: return new CPalette;
      case OBJ_REGION: return new CRgn;
      default: return new CGdiObject;
    }
  }
};
static CGdiKindHandleMap afxGdiMap;

CDC* _AfxDCFromHandle(HDC h) { return CDC::FromHandle(h); }

// ---- Device contexts -------------------------------------------------------------------

CDC::~CDC() {
  if (hDC != nullptr) ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hDCNew) {
  if (hDCNew == nullptr) return FALSE;
  hDC = hDCNew;
  afxDCMap.SetPermanent(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC old = hDC;
  if (old != nullptr) afxDCMap.RemovePermanent(old);
  hDC = nullptr;
  return old;
}

BOOL CDC::DeleteDC() {
  if (hDC == nullptr) return FALSE;
  return ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC h) { return static_cast<CDC*>(afxDCMap.FromHandle(h)); }
void CDC::DeleteTempMap() { afxDCMap.DeleteTemp(); }

CGdiObject* CDC::SelectGdiObject(HDC hDC, HGDIOBJ hObject) {
  return CGdiObject::FromHandle(::SelectObject(hDC, hObject));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
  HPALETTE hPalette = pPalette != nullptr ? static_cast<HPALETTE>(pPalette->hObject) : nullptr;
  return static_cast<CPalette*>(
      CGdiObject::FromHandle(::SelectPalette(hDC, hPalette, bForceBackground)));
}

CClientDC::CClientDC(CWnd* pWnd) : hWnd(AfxGetSafeHwnd(pWnd)) {
  if (!Attach(::GetDC(hWnd))) AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : hWnd(AfxGetSafeHwnd(pWnd)) {
  if (!Attach(::GetWindowDC(hWnd))) AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(hWnd, Detach()); }

CPaintDC::CPaintDC(CWnd* pWnd) : hWnd(pWnd->hWnd) {
  if (!Attach(::BeginPaint(hWnd, &m_ps))) AfxThrowResourceException();
}

CPaintDC::~CPaintDC() {
  ::EndPaint(hWnd, &m_ps);
  Detach();
}

CMetaFileDC::~CMetaFileDC() = default;

// ---- Drawing objects -------------------------------------------------------------------

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObjectNew) {
  if (hObjectNew == nullptr) return FALSE;
  hObject = hObjectNew;
  afxGdiMap.SetPermanent(hObject, this);
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ old = hObject;
  if (old != nullptr) {
    afxGdiMap.RemovePermanent(old);
    // A temporary wrapper made earlier for this handle is dropped from the map; nothing
    // would delete it any more, so it goes now (without touching the handle).
    void* temporary = nullptr;
    if (afxGdiMap.LookupTemporary(old, temporary) && temporary != this) {
      static_cast<CGdiObject*>(temporary)->hObject = nullptr;
      delete static_cast<CGdiObject*>(temporary);
    }
    afxGdiMap.RemoveTemporary(old);
  }
  hObject = nullptr;
  return old;
}

BOOL CGdiObject::DeleteObject() {
  if (hObject == nullptr) return FALSE;
  return ::DeleteObject(Detach());
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) {
  return static_cast<CGdiObject*>(afxGdiMap.FromHandle(h));
}

void CGdiObject::DeleteTempMap() { afxGdiMap.DeleteTemp(); }

// The object is created first and attached only when it exists, so a failed
// constructor leaves the wrapper without a handle.
static void AttachCreated(CGdiObject* wrapper, HGDIOBJ created) {
  if (!wrapper->Attach(created)) AfxThrowResourceException();
}

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
  AttachCreated(this, ::CreatePen(nPenStyle, nWidth, crColor));
}

CBrush::CBrush(COLORREF crColor) { AttachCreated(this, ::CreateSolidBrush(crColor)); }

CBrush::CBrush(int nIndex, COLORREF crColor) {
  AttachCreated(this, ::CreateHatchBrush(nIndex, crColor));
}

CBrush::CBrush(CBitmap* pBitmap) {
  HBITMAP hBitmap = pBitmap != nullptr ? static_cast<HBITMAP>(pBitmap->hObject) : nullptr;
  AttachCreated(this, ::CreatePatternBrush(hBitmap));
}

CPen::~CPen() = default;
CBrush::~CBrush() = default;
CFont::~CFont() = default;
CBitmap::~CBitmap() = default;
CPalette::~CPalette() = default;
CRgn::~CRgn() = default;
