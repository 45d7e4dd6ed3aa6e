// Device-context and GDI object wrappers and their run-time classes.
#include "framework/wingdi.h"

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

CDC::~CDC() = default;
CClientDC::~CClientDC() = default;
CWindowDC::~CWindowDC() = default;
CPaintDC::~CPaintDC() = default;
CMetaFileDC::~CMetaFileDC() = default;
CGdiObject::~CGdiObject() = default;
CPen::~CPen() = default;
CBrush::~CBrush() = default;
CFont::~CFont() = default;
CBitmap::~CBitmap() = default;
CPalette::~CPalette() = default;
CRgn::~CRgn() = default;
