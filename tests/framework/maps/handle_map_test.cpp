#include "framework/handle_map.h"

#include "framework/core/alloc_counter.h"
#include "framework/except.h"
#include "framework/window.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// A family whose wrappers record how they were disposed of, so a test can tell
// whether the native object would have been touched.
struct Disposal {
  HANDLE handleAtDestruction;
};
std::vector<Disposal> disposals;

class Wrapper : public CObject {
 public:
  ~Wrapper() override { disposals.push_back({handle}); }
  HANDLE handle = nullptr;
};

class WrapperMap : public CHandleMap {
 public:
  int made = 0;

 protected:
  CObject* NewTempObject(HANDLE h) override {
    ++made;
    Wrapper* wrapper = new Wrapper;
    wrapper->handle = h;
    return wrapper;
  }
  void DeleteTempObject(CObject* pObject) override {
    Wrapper* wrapper = static_cast<Wrapper*>(pObject);
    wrapper->handle = nullptr;
    delete wrapper;
  }
};

HANDLE Handle(std::uintptr_t value) { return reinterpret_cast<HANDLE>(value); }

class HandleMaps : public ::testing::Test {
 protected:
  // Reserved so that recording a disposal never allocates, even under a refusing hook.
  void SetUp() override {
    disposals.clear();
    disposals.reserve(16);
  }
};

TEST_F(HandleMaps, NullHandleHasNoObject) {
  WrapperMap map;
  EXPECT_EQ(map.FromHandle(nullptr), nullptr);
  EXPECT_EQ(map.made, 0);
}

TEST_F(HandleMaps, TemporaryObjectLivesUntilDeleteTemp) {
  WrapperMap map;
  CObject* first = map.FromHandle(Handle(0x100));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(static_cast<Wrapper*>(first)->handle, Handle(0x100));
  EXPECT_EQ(map.FromHandle(Handle(0x100)), first);
  EXPECT_EQ(map.made, 1);
  void* found = nullptr;
  EXPECT_FALSE(map.LookupPermanent(Handle(0x100), found));
  EXPECT_TRUE(map.LookupTemporary(Handle(0x100), found));

  map.FromHandle(Handle(0x200));
  map.DeleteTemp();
  // Each disposed of once, with its handle cleared before destruction.
  ASSERT_EQ(disposals.size(), 2u);
  for (const Disposal& d : disposals) EXPECT_EQ(d.handleAtDestruction, nullptr);
  EXPECT_FALSE(map.LookupTemporary(Handle(0x100), found));

  CObject* again = map.FromHandle(Handle(0x100));
  EXPECT_EQ(map.made, 3);
  EXPECT_EQ(static_cast<Wrapper*>(again)->handle, Handle(0x100));
  map.DeleteTemp();
  map.DeleteTemp();  // nothing left: nothing happens
  EXPECT_EQ(disposals.size(), 3u);
}

TEST_F(HandleMaps, PermanentObjectIsFoundAndNeverDuplicated) {
  WrapperMap map;
  Wrapper first;
  Wrapper second;
  map.SetPermanent(Handle(0x100), &first);
  map.SetPermanent(Handle(0x100), &second);
  EXPECT_EQ(map.FromHandle(Handle(0x100)), &second);
  EXPECT_EQ(map.made, 0);

  map.RemovePermanent(Handle(0x100));
  map.RemovePermanent(Handle(0x100));
  map.RemovePermanent(Handle(0x300));
  CObject* temporary = map.FromHandle(Handle(0x100));
  EXPECT_NE(temporary, &second);
  EXPECT_EQ(map.made, 1);
  map.DeleteTemp();
}

TEST_F(HandleMaps, RemovedTemporaryObjectBelongsToTheCaller) {
  WrapperMap map;
  CObject* detached = map.FromHandle(Handle(0x100));
  map.RemoveTemporary(Handle(0x100));
  CObject* fresh = map.FromHandle(Handle(0x100));
  EXPECT_NE(fresh, detached);
  map.DeleteTemp();
  EXPECT_EQ(disposals.size(), 1u);
  delete detached;
  EXPECT_EQ(disposals.size(), 2u);
}

TEST_F(HandleMaps, FamiliesMakePlainBaseWrappersAndClearTheirHandles) {
  CWndHandleMap windows;
  CMenuHandleMap menus;
  CDCHandleMap dcs;
  CGdiHandleMap gdiObjects;
  CObject* wnd = windows.FromHandle(Handle(0x10));
  CObject* menu = menus.FromHandle(Handle(0x20));
  CObject* dc = dcs.FromHandle(Handle(0x30));
  CObject* gdi = gdiObjects.FromHandle(Handle(0x40));
  EXPECT_EQ(wnd->GetRuntimeClass(), RUNTIME_CLASS(CWnd));
  EXPECT_EQ(menu->GetRuntimeClass(), RUNTIME_CLASS(CMenu));
  EXPECT_EQ(dc->GetRuntimeClass(), RUNTIME_CLASS(CDC));
  EXPECT_EQ(gdi->GetRuntimeClass(), RUNTIME_CLASS(CGdiObject));
  EXPECT_EQ(static_cast<CWnd*>(wnd)->hWnd, Handle(0x10));
  EXPECT_EQ(static_cast<CMenu*>(menu)->hMenu, Handle(0x20));
  EXPECT_EQ(static_cast<CDC*>(dc)->hDC, Handle(0x30));
  EXPECT_EQ(static_cast<CGdiObject*>(gdi)->hObject, Handle(0x40));

  AllocationCounter counter;
  windows.DeleteTemp();
  menus.DeleteTemp();
  dcs.DeleteTemp();
  gdiObjects.DeleteTemp();
  EXPECT_EQ(counter.allocations(), 0);
  EXPECT_EQ(counter.frees(), 4 * 3);  // each object, plus each map's table and block
}

// A thread that never idles leaves temporary objects; the map takes them along when it
// goes (at program end for the framework's maps), clearing their handles first.
TEST_F(HandleMaps, FamilyMapThatGoesDisposesOfItsTemporaryObjects) {
  AllocationCounter counter;
  {
    CMenuHandleMap menus;
    ASSERT_NE(menus.FromHandle(Handle(0x20)), nullptr);
  }
  // The object, the map's table and its block: all given back.
  EXPECT_EQ(counter.allocations(), 3);
  EXPECT_EQ(counter.frees(), 3);
}

int allocationAttempts = 0;
bool AllowOnlyTheFirst(std::size_t) { return ++allocationAttempts == 1; }

TEST_F(HandleMaps, FailedEntryDoesNotLeakTheNewObject) {
  WrapperMap map;
  bool raised = false;
  TRY {
    // The wrapper is allocated before the map's first table; refuse only the table.
    AfxAllocateHook previous = _AfxSetAllocateHook(&AllowOnlyTheFirst);
    struct Restore {
      AfxAllocateHook hook;
      ~Restore() { _AfxSetAllocateHook(hook); }
    } restore{previous};
    map.FromHandle(Handle(0x100));
  }
  CATCH(CMemoryException, e) { raised = true; }
  END_CATCH
  EXPECT_TRUE(raised);
  EXPECT_EQ(map.made, 1);
  EXPECT_EQ(disposals.size(), 1u);
  void* found = nullptr;
  EXPECT_FALSE(map.LookupTemporary(Handle(0x100), found));
}

}  // namespace
