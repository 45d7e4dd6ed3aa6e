// Device-context and GDI object wrappers: one object per DC or drawing-object handle.
#pragma once

#include "framework/object.h"

class CDC : public CObject {
  DECLARE_RUNTIME_CLASS(CDC)
 public:
  ~CDC() override;

  HDC hDC = nullptr;
};

class CClientDC : public CDC {
  DECLARE_RUNTIME_CLASS(CClientDC)
 public:
  ~CClientDC() override;
};

class CWindowDC : public CDC {
  DECLARE_RUNTIME_CLASS(CWindowDC)
 public:
  ~CWindowDC() override;
};

class CPaintDC : public CDC {
  DECLARE_RUNTIME_CLASS(CPaintDC)
 public:
  ~CPaintDC() override;
};

class CMetaFileDC : public CDC {
  DECLARE_RUNTIME_CLASS(CMetaFileDC)
 public:
  ~CMetaFileDC() override;
};

class CGdiObject : public CObject {
  DECLARE_RUNTIME_CLASS(CGdiObject)
 public:
  ~CGdiObject() override;

  HGDIOBJ hObject = nullptr;
};

class CPen : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CPen)
 public:
  ~CPen() override;
};

class CBrush : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CBrush)
 public:
  ~CBrush() override;
};

class CFont : public CGdiObject {
  DECLARE_RUNTIME_CLASS(CFont)
 public:
  ~CFont() override;
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
