// Device-context and GDI object wrappers: one object per DC or drawing-object handle.
// An attached wrapper owns its handle (its destructor deletes the DC or object); code
// meeting a bare handle asks FromHandle and may get a temporary wrapper of the kind's
// base class, deleted at the next idle time without touching the handle. Constructors
// that cannot obtain their DC or create their object raise CResourceException.
#pragma once

#include "framework/object.h"

class CWnd;
class CGdiObject;
class CPalette;
class CBitmap;

class CDC : public CObject {
  DECLARE_RUNTIME_CLASS(CDC)
 public:
  CDC() = default;
  // Deletes the held DC.
  ~CDC() override;

  BOOL Attach(HDC hDCNew);
  HDC Detach();
  BOOL DeleteDC();

  static CDC* FromHandle(HDC h);
  static void DeleteTempMap();

  // Selects hObject and returns the object of what was selected before (null when the
  // selection failed).
  static CGdiObject* SelectGdiObject(HDC hDC, HGDIOBJ hObject);
  CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
  COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(hDC, crColor); }

  HDC hDC = nullptr;
};

// The client area of a window, for the scope of the object.
class CClientDC : public CDC {
  DECLARE_RUNTIME_CLASS(CClientDC)
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

  HWND hWnd = nullptr;
};

// The whole window, frame included, for the scope of the object.
class CWindowDC : public CDC {
  DECLARE_RUNTIME_CLASS(CWindowDC)
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

  HWND hWnd = nullptr;
};

// Painting in answer to WM_PAINT: BeginPaint at construction, EndPaint at destruction.
class CPaintDC : public CDC {
  DECLARE_RUNTIME_CLASS(CPaintDC)
 public:
  // REQUIRES: pWnd is not null.
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;

  HWND hWnd = nullptr;
  PAINTSTRUCT m_ps{};
};

// Only the run-time class exists: nothing here records metafiles.
class CMetaFileDC : public CDC {
  DECLARE_RUNTIME_CLASS(CMetaFileDC)
 public:
  ~CMetaFileDC() override;
};

// A temporary wrapper is an object of the handle's own kind (CPen for a pen ...), or a
// plain CGdiObject for any other handle.
class CGdiObject : public CObject {
  DECLARE_RUNTIME_CLASS(CGdiObject)
 public:
  CGdiObject() = default;
  // Deletes the held object.
  ~CGdiObject() override;

  BOOL Attach(HGDIOBJ hObjectNew);
  // Also forgets a temporary wrapper made earlier for the same handle.
  HGDIOBJ Detach();
  BOOL DeleteObject();

  static CGdiObject* FromHandle(HGDIOBJ h);
  static void DeleteTempMap();

  HGDIOBJ hObject = nullptr;
};

class CPen : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CPen)
 public:
  CPen() = default;  // empty; temporary wrappers start so
  CPen(int nPenStyle, int nWidth, COLORREF crColor);
  ~CPen() override;
};

class CBrush : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CBrush)
 public:
  CBrush() = default;
  explicit CBrush(COLORREF crColor);
  CBrush(int nIndex, COLORREF crColor);
  explicit CBrush(CBitmap* pBitmap);
  ~CBrush() override;
};

class CFont : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CFont)
 public:
  ~CFont() override;
  // REQUIRES: h is a font (or null), so that its wrapper is a CFont.
  static CFont* FromHandle(HFONT h) { return static_cast<CFont*>(CGdiObject::FromHandle(h)); }
};

class CBitmap : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CBitmap)
 public:
  ~CBitmap() override;
};

class CPalette : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CPalette)
 public:
  ~CPalette() override;
};

class CRgn : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CRgn)
 public:
  ~CRgn() override;
};
