// The root of the class library. Every framework class derives from CObject and
// describes itself with one static CRuntimeClass record, so an object can be asked
// for its class and tested for kind along the base-class chain without C++ RTTI.
#pragma once

#include <win32.h>

#include <cstddef>

class CObject;
class CArchive;       // declared only: nothing in this program serialises
class CDumpContext;   // declared only: nothing in this program dumps objects

// One record per class. All fields except pNextClass are fixed at compile time, so
// records are usable during static initialisation in any order.
struct CRuntimeClass {
  static constexpr UINT kNoSchema = 0xFFFF;  // the class cannot be serialised

  const char* className;
  LONG objectSize;
  UINT schema;
  void (*pfnConstruct)(void* memory);
  CRuntimeClass* pBaseClass;
  CRuntimeClass* pNextClass;

  // Null when the class has no in-place constructor; the memory is given back then.
  CObject* CreateObject();
  BOOL ConstructObject(void* memory);

  // Head of the registration list, built by prepending.
  static CRuntimeClass* pFirstClass;
};

// Links one record at the head of the registration list; one static instance per class.
struct CClassInit {
  explicit CClassInit(CRuntimeClass* record);
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// Inside a class body: the class's record and its GetRuntimeClass override.
#define DECLARE_RUNTIME_CLASS(class_name)          \
 public:                                           \
  static CRuntimeClass class##class_name;          \
  CRuntimeClass* GetRuntimeClass() const override;

// In the class's source file: the record (name, size, no schema, no constructor, base)
// and the override. The record is registered at start-up by the object unit.
#define IMPLEMENT_RUNTIME_CLASS(class_name, base_class_name)                             \
  CRuntimeClass class_name::class##class_name = {                                      \
      #class_name,           static_cast<LONG>(sizeof(class_name)),                    \
      CRuntimeClass::kNoSchema, nullptr, RUNTIME_CLASS(base_class_name), nullptr};     \
  CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

class CObject {
 public:
  virtual CRuntimeClass* GetRuntimeClass() const;
  virtual ~CObject() = default;
  virtual void Serialize(CArchive& archive);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& dc) const;

  // Pointer identity along pBaseClass, never name comparison.
  BOOL IsKindOf(const CRuntimeClass* pClass) const;
  BOOL IsSerializable() const;

  // Class-level allocation goes through the framework's global operators, so a
  // failure raises CMemoryException instead of returning null.
  static void* operator new(std::size_t size);
  static void operator delete(void* p);
  static void* operator new[](std::size_t size);
  static void operator delete[](void* p);
  // Placement form, used when a record constructs an object in raw memory.
  static void* operator new(std::size_t, void* where) noexcept { return where; }
  static void operator delete(void*, void*) noexcept {}

  static CRuntimeClass classCObject;

 protected:
  constexpr CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};
