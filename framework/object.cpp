// The root class, run-time class records and their registration at start-up.
#include "framework/object.h"

#include "framework/except.h"
#include "framework/map_pp.h"
#include "framework/window.h"
#include "framework/winapp.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"

CRuntimeClass CObject::classCObject = {
    "CObject", static_cast<LONG>(sizeof(CObject)), CRuntimeClass::kNoSchema, nullptr, nullptr,
    nullptr};

CRuntimeClass* CRuntimeClass::pFirstClass = nullptr;

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}
void CObject::Dump(CDumpContext&) const {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
  for (const CRuntimeClass* record = GetRuntimeClass(); record != nullptr;
       record = record->pBaseClass) {
    if (record == pClass) return TRUE;
  }
  return FALSE;
}

BOOL CObject::IsSerializable() const { return GetRuntimeClass()->schema != CRuntimeClass::kNoSchema; }

void* CObject::operator new(std::size_t size) { return ::operator new(size); }
void CObject::operator delete(void* p) { ::operator delete(p); }
void* CObject::operator new[](std::size_t size) { return ::operator new[](size); }
void CObject::operator delete[](void* p) { ::operator delete[](p); }

BOOL CRuntimeClass::ConstructObject(void* memory) {
  if (pfnConstruct == nullptr) return FALSE;
  pfnConstruct(memory);
  return TRUE;
}

CObject* CRuntimeClass::CreateObject() {
  void* memory = CObject::operator new(static_cast<std::size_t>(objectSize));
  if (!ConstructObject(memory)) {
    CObject::operator delete(memory);
    return nullptr;
  }
  return static_cast<CObject*>(memory);
}

CClassInit::CClassInit(CRuntimeClass* record) {
  record->pNextClass = CRuntimeClass::pFirstClass;
  CRuntimeClass::pFirstClass = record;
}

// Every framework class is registered here rather than next to its implementation,
// so that a program using any one class has all of them registered (a static library
// only contributes the units something refers to).
static const CClassInit registrations[] = {
    CClassInit(RUNTIME_CLASS(CObject)),
    CClassInit(RUNTIME_CLASS(CWnd)),
    CClassInit(RUNTIME_CLASS(CButton)),
    CClassInit(RUNTIME_CLASS(CListBox)),
    CClassInit(RUNTIME_CLASS(CComboBox)),
    CClassInit(RUNTIME_CLASS(CFrameWnd)),
    CClassInit(RUNTIME_CLASS(CDialog)),
    CClassInit(RUNTIME_CLASS(CModalDialog)),
    CClassInit(RUNTIME_CLASS(CMapPtrToPtr)),
    CClassInit(RUNTIME_CLASS(CWinApp)),
    CClassInit(RUNTIME_CLASS(CException)),
    CClassInit(RUNTIME_CLASS(CMemoryException)),
    CClassInit(RUNTIME_CLASS(CNotSupportedException)),
    CClassInit(RUNTIME_CLASS(CResourceException)),
    CClassInit(RUNTIME_CLASS(CMenu)),
    CClassInit(RUNTIME_CLASS(CDC)),
    CClassInit(RUNTIME_CLASS(CClientDC)),
    CClassInit(RUNTIME_CLASS(CWindowDC)),
    CClassInit(RUNTIME_CLASS(CPaintDC)),
    CClassInit(RUNTIME_CLASS(CMetaFileDC)),
    CClassInit(RUNTIME_CLASS(CGdiObject)),
    CClassInit(RUNTIME_CLASS(CPen)),
    CClassInit(RUNTIME_CLASS(CBrush)),
    CClassInit(RUNTIME_CLASS(CFont)),
    CClassInit(RUNTIME_CLASS(CBitmap)),
    CClassInit(RUNTIME_CLASS(CPalette)),
    CClassInit(RUNTIME_CLASS(CRgn)),
};

// The allocation-failure handler is installed by the memory unit's start-up step;
// referring to its flag here keeps that unit, and with it the framework's global
// allocation operators, in every program that uses a framework class.
extern const BOOL _afxInitialized;
[[gnu::used]] static const BOOL* const _afxKeepHeapHooks = &_afxInitialized;
