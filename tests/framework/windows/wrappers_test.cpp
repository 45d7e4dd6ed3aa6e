// Menu, DC and GDI wrappers with their handle maps: temporary wrappers shared until the
// idle clean-up and then gone with the native object untouched, permanent wrappers that
// own their handles, and the resource exception from constructors that cannot create.
#include <gtest/gtest.h>

#include "framework/except.h"
#include "framework/support/framework_env.h"
#include "framework/wingdi.h"
#include "framework/winmenu.h"

namespace {

TEST(Wrappers, TemporaryMenuObjectsAreSharedThenDeletedLeavingTheMenu) {
  HMENU menu = CreatePopupMenu();
  EXPECT_EQ(CMenu::FromHandle(nullptr), nullptr);
  CMenu* first = CMenu::FromHandle(menu);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->hMenu, menu);
  EXPECT_EQ(CMenu::FromHandle(menu), first);
  CMenu::DeleteTempMap();
  EXPECT_TRUE(IsMenu(menu));

  // A permanent object is always the answer, and it owns the menu.
  {
    CMenu owner;
    EXPECT_FALSE(owner.Attach(nullptr));
    EXPECT_TRUE(owner.Attach(menu));
    EXPECT_EQ(CMenu::FromHandle(menu), &owner);
  }
  EXPECT_FALSE(IsMenu(menu));

  CMenu empty;
  EXPECT_EQ(empty.Detach(), nullptr);
  EXPECT_FALSE(empty.DestroyMenu());
}

TEST(Wrappers, GdiObjectsDeleteOnceAndDetachForgetsEarlierTemporaries) {
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  CGdiObject* temporary = CGdiObject::FromHandle(brush);
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(CGdiObject::FromHandle(brush), temporary);
  EXPECT_TRUE(temporary->IsKindOf(RUNTIME_CLASS(CBrush)));  // of the handle's own kind
  HFONT font = static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
  CFont* fontObject = CFont::FromHandle(font);
  ASSERT_NE(fontObject, nullptr);
  EXPECT_EQ(fontObject->GetRuntimeClass(), RUNTIME_CLASS(CFont));

  CGdiObject owner;
  ASSERT_TRUE(owner.Attach(brush));
  EXPECT_EQ(CGdiObject::FromHandle(brush), &owner);
  EXPECT_EQ(owner.Detach(), brush);
  // The temporary entry went with the detach: a new wrapper is made.
  CGdiObject* fresh = CGdiObject::FromHandle(brush);
  EXPECT_NE(fresh, &owner);
  CGdiObject::DeleteTempMap();
  LOGBRUSH logBrush;
  EXPECT_NE(GetObjectA(brush, sizeof(logBrush), &logBrush), 0);  // still alive

  ASSERT_TRUE(owner.Attach(brush));
  EXPECT_TRUE(owner.DeleteObject());
  EXPECT_FALSE(owner.DeleteObject());
  EXPECT_EQ(GetObjectA(brush, sizeof(logBrush), &logBrush), 0);
}

TEST(Wrappers, PensAndBrushesOwnTheirObjectsOrRaiseTheResourceException) {
  HGDIOBJ penHandle;
  {
    CPen pen(PS_SOLID, 1, RGB(1, 2, 3));
    penHandle = pen.hObject;
    ASSERT_NE(penHandle, nullptr);
    EXPECT_EQ(CGdiObject::FromHandle(penHandle), &pen);
  }
  LOGPEN logPen;
  EXPECT_EQ(GetObjectA(penHandle, sizeof(logPen), &logPen), 0);

  CBrush hatch(HS_CROSS, RGB(0, 0, 0));
  EXPECT_NE(hatch.hObject, nullptr);

  bool raised = false;
  TRY {
    CBrush pattern(static_cast<CBitmap*>(nullptr));
  }
  CATCH(CResourceException, e) {
    raised = true;
  }
  END_CATCH
  EXPECT_TRUE(raised);
}

TEST(Wrappers, DeviceContextsOfAWindowAreGivenBackAtScopeEnd) {
  fw_test::StartFramework();
  HWND raw = fw_test::CreatePlainWindow(nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  CWnd* wnd = CWnd::FromHandle(raw);
  {
    CClientDC client(wnd);
    HDC held = client.hDC;
    ASSERT_NE(held, nullptr);
    EXPECT_EQ(CDC::FromHandle(held), &client);
    CGdiObject* previous = CDC::SelectGdiObject(held, GetStockObject(BLACK_PEN));
    ASSERT_NE(previous, nullptr);
    CDC::SelectGdiObject(held, previous->hObject);
  }
  CGdiObject::DeleteTempMap();

  { CWindowDC whole(CWnd::FromHandle(raw)); EXPECT_NE(whole.hDC, nullptr); }
  InvalidateRect(raw, nullptr, TRUE);
  {
    CPaintDC paint(CWnd::FromHandle(raw));
    EXPECT_NE(paint.hDC, nullptr);
  }
  RECT update;
  EXPECT_FALSE(GetUpdateRect(raw, &update, FALSE));  // EndPaint validated it
  CWnd::DeleteTempMap();
  DestroyWindow(raw);
}

}  // namespace
