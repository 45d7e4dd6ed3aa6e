#include "framework/object.h"

#include "alloc_counter.h"
#include "framework/except.h"
#include "framework/window.h"
#include "framework/wingdi.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// Stands for an object of any registered class, so kind-of tests do not depend on
// how each class is constructed.
class ObjectOfClass : public CObject {
 public:
  explicit ObjectOfClass(CRuntimeClass* record) : record_(record) {}
  CRuntimeClass* GetRuntimeClass() const override { return record_; }

 private:
  CRuntimeClass* record_;
};

TEST(RuntimeClass, StartUpRegistersEachOfThe27ClassesOnce) {
  const std::map<std::string, const char*> expectedBase = {
      {"CObject", nullptr},          {"CWnd", "CObject"},
      {"CButton", "CWnd"},           {"CListBox", "CWnd"},
      {"CComboBox", "CWnd"},         {"CFrameWnd", "CWnd"},
      {"CDialog", "CWnd"},           {"CModalDialog", "CDialog"},
      {"CMapPtrToPtr", "CObject"},   {"CWinApp", "CObject"},
      {"CException", "CObject"},     {"CMemoryException", "CException"},
      {"CNotSupportedException", "CException"},
      {"CResourceException", "CException"},
      {"CMenu", "CObject"},          {"CDC", "CObject"},
      {"CClientDC", "CDC"},          {"CWindowDC", "CDC"},
      {"CPaintDC", "CDC"},           {"CMetaFileDC", "CDC"},
      {"CGdiObject", "CObject"},     {"CPen", "CGdiObject"},
      {"CBrush", "CGdiObject"},      {"CFont", "CGdiObject"},
      {"CBitmap", "CGdiObject"},     {"CPalette", "CGdiObject"},
      {"CRgn", "CGdiObject"},
  };
  std::map<std::string, int> visits;
  for (CRuntimeClass* record = CRuntimeClass::pFirstClass; record != nullptr;
       record = record->pNextClass) {
    ASSERT_LE(visits.size(), 27u) << "the list loops";
    ++visits[record->className];
    EXPECT_EQ(record->schema, 0xFFFFu) << record->className;
    EXPECT_EQ(record->pfnConstruct, nullptr) << record->className;
    EXPECT_GT(record->objectSize, 0) << record->className;
    auto expected = expectedBase.find(record->className);
    ASSERT_NE(expected, expectedBase.end()) << record->className;
    if (expected->second == nullptr) {
      EXPECT_EQ(record->pBaseClass, nullptr);
    } else {
      ASSERT_NE(record->pBaseClass, nullptr) << record->className;
      EXPECT_STREQ(record->pBaseClass->className, expected->second);
    }
  }
  EXPECT_EQ(visits.size(), 27u);
  for (const auto& [name, count] : visits) EXPECT_EQ(count, 1) << name;
}

TEST(RuntimeClass, KindOfFollowsTheBaseChainByIdentity) {
  ObjectOfClass dialog(RUNTIME_CLASS(CModalDialog));
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CModalDialog)));
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CDialog)));
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_TRUE(dialog.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(dialog.IsKindOf(RUNTIME_CLASS(CFrameWnd)));
  EXPECT_FALSE(dialog.IsKindOf(RUNTIME_CLASS(CException)));

  // A record with the same name is still another class.
  CRuntimeClass lookalike = *RUNTIME_CLASS(CDialog);
  EXPECT_FALSE(dialog.IsKindOf(&lookalike));
  EXPECT_FALSE(dialog.IsKindOf(nullptr));

  CMetaFileDC paint;
  EXPECT_EQ(paint.GetRuntimeClass(), RUNTIME_CLASS(CMetaFileDC));
  EXPECT_TRUE(paint.IsKindOf(RUNTIME_CLASS(CDC)));
  EXPECT_FALSE(paint.IsKindOf(RUNTIME_CLASS(CGdiObject)));
  EXPECT_FALSE(paint.IsSerializable());
  // The table pointer and the handle: what later code expects a window object to be.
  EXPECT_EQ(RUNTIME_CLASS(CWnd)->objectSize, static_cast<LONG>(2 * sizeof(void*)));
}

TEST(RuntimeClass, CreateObjectWithoutConstructorReturnsNullAndKeepsNoMemory) {
  int created = 0;
  int allocations = 0;
  int frees = 0;
  {
    AllocationCounter counter;
    for (CRuntimeClass* record = CRuntimeClass::pFirstClass; record != nullptr;
         record = record->pNextClass) {
      if (record->CreateObject() != nullptr) ++created;
    }
    allocations = counter.allocations();
    frees = counter.frees();
  }
  EXPECT_EQ(created, 0);
  EXPECT_EQ(allocations, 27);
  EXPECT_EQ(frees, 27);
}

}  // namespace
