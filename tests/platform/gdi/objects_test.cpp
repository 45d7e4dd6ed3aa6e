// Object lifetimes and descriptions: stock objects, selection, deletion, GetObjectA,
// SaveDC/RestoreDC, memory DCs, and bad handles everywhere.
#include <gtest/gtest.h>
#include <win32.h>

#include <atomic>
#include <thread>
#include <vector>

#include "gdi/window_dc.h"

namespace {

TEST(StockObjects, SurviveDeleteObjectAndStayUsable) {
  for (int index : {WHITE_BRUSH, LTGRAY_BRUSH, GRAY_BRUSH, DKGRAY_BRUSH, BLACK_BRUSH, NULL_BRUSH,
                    WHITE_PEN, BLACK_PEN, NULL_PEN, SYSTEM_FONT, ANSI_VAR_FONT, DEFAULT_GUI_FONT,
                    DEFAULT_PALETTE}) {
    HGDIOBJ stock = GetStockObject(index);
    ASSERT_NE(stock, nullptr) << index;
    EXPECT_TRUE(DeleteObject(stock)) << index;
    EXPECT_NE(GetObjectType(stock), 0u) << index;
    EXPECT_EQ(GetStockObject(index), stock);
  }
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectA(GetStockObject(LTGRAY_BRUSH), sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(192, 192, 192));
  EXPECT_EQ(GetStockObject(9), nullptr);
  EXPECT_EQ(GetStockObject(-1), nullptr);
}

TEST(StockObjects, SystemColourBrushesAreUndeletable) {
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  ASSERT_NE(face, nullptr);
  EXPECT_TRUE(DeleteObject(face));
  LOGBRUSH lb{};
  ASSERT_NE(GetObjectA(face, sizeof lb, &lb), 0);
  EXPECT_EQ(lb.lbColor, GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(192, 192, 192));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_ACTIVECAPTION), RGB(0, 0, 128));
  EXPECT_EQ(GetSysColorBrush(-1), nullptr);
  EXPECT_EQ(GetSysColorBrush(1000), nullptr);
  EXPECT_EQ(gdi::ResolveBrush(reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)), face);
  EXPECT_EQ(gdi::ResolveBrush(face), face);
  EXPECT_EQ(gdi::ResolveBrush(nullptr), nullptr);
}

TEST(Selection, DeletingASelectedObjectFailsUntilItIsDeselected) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HGDIOBJ old = SelectObject(dc, pen);
  EXPECT_EQ(old, GetStockObject(BLACK_PEN));
  EXPECT_FALSE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));
  EXPECT_EQ(SelectObject(dc, old), pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_FALSE(DeleteObject(pen));  // stale handle
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(Selection, ObjectsInSavedStatesStaySelectedAndComeBack) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  SelectObject(dc, red);
  SetBkColor(dc, RGB(1, 1, 1));
  int level = SaveDC(dc);
  EXPECT_EQ(level, 1);
  SelectObject(dc, GetStockObject(BLACK_BRUSH));
  SetBkColor(dc, RGB(2, 2, 2));
  EXPECT_FALSE(DeleteObject(red));  // still held by the saved state
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), red);
  EXPECT_EQ(GetBkColor(dc), RGB(1, 1, 1));
  EXPECT_FALSE(RestoreDC(dc, -1));  // nothing left to restore
  EXPECT_FALSE(RestoreDC(dc, 5));
  SelectObject(dc, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(red));
  DeleteDC(dc);
}

TEST(Selection, DeletingADcReleasesItsObjects) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_DOT, 1, 0);
  SelectObject(dc, pen);
  SaveDC(dc);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_FALSE(DeleteDC(dc));
}

TEST(Bitmaps, GoOnlyIntoMemoryDcsAndIntoOneAtATime) {
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateBitmap(8, 8, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(a, bm);
  EXPECT_NE(old, nullptr);
  EXPECT_EQ(GetObjectType(old), DWORD(OBJ_BITMAP));
  EXPECT_EQ(SelectObject(b, bm), nullptr);
  EXPECT_FALSE(DeleteObject(bm));
  SelectObject(a, old);
  EXPECT_NE(SelectObject(b, bm), nullptr);
  auto surface = std::make_shared<gdi::Surface>(4, 4);
  HDC window = gdi::CreateSurfaceDC(surface, POINT{0, 0}, gdi::ClipRegion(surface->bounds()));
  EXPECT_EQ(SelectObject(window, old), nullptr);
  EXPECT_FALSE(DeleteDC(window));  // window DCs go back through ReleaseDC
  EXPECT_TRUE(gdi::DestroySurfaceDC(window));
  DeleteDC(a);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(bm));
}

TEST(Bitmaps, CompatibleBitmapOfAFreshMemoryDcIsMonochrome) {
  HDC mem = CreateCompatibleDC(nullptr);
  BITMAP info{};
  HBITMAP mono = CreateCompatibleBitmap(mem, 10, 3);
  ASSERT_EQ(GetObjectA(mono, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmBitsPixel, 1);
  EXPECT_EQ(info.bmWidthBytes, 2);  // rows padded to a WORD
  auto surface = std::make_shared<gdi::Surface>(4, 4);
  HDC window = gdi::CreateSurfaceDC(surface, POINT{0, 0}, gdi::ClipRegion(surface->bounds()));
  HBITMAP colour = CreateCompatibleBitmap(window, 10, 3);
  ASSERT_EQ(GetObjectA(colour, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(info.bmWidth, 10);
  EXPECT_EQ(info.bmHeight, 3);
  EXPECT_EQ(info.bmWidthBytes, 40);
  EXPECT_EQ(info.bmPlanes, 1);
  gdi::DestroySurfaceDC(window);
  DeleteDC(mem);
  DeleteObject(mono);
  DeleteObject(colour);
}

TEST(Bitmaps, BitsRoundTripInWordAlignedRows) {
  const BYTE bits[] = {0xA5, 0x80, 0x01, 0x00};  // 9 wide: 2 bytes per row
  HBITMAP bm = CreateBitmap(9, 2, 1, 1, bits);
  BYTE back[4] = {};
  EXPECT_EQ(GetBitmapBits(bm, sizeof back, back), 4);
  EXPECT_EQ(back[0], 0xA5);
  EXPECT_EQ(back[1], 0x80);
  EXPECT_EQ(back[2], 0x01);
  EXPECT_EQ(back[3], 0x00);
  DeleteObject(bm);
  EXPECT_EQ(CreateBitmap(-1, 2, 1, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(2, 2, 2, 1, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(2, 2, 1, 7, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(100000, 2, 1, 1, nullptr), nullptr);
  HBITMAP empty = CreateBitmap(0, 0, 1, 1, nullptr);
  EXPECT_NE(empty, nullptr);
  EXPECT_TRUE(DeleteObject(empty));
  EXPECT_EQ(GetObjectType(empty), DWORD(OBJ_BITMAP));  // the shared default survives
}

TEST(Descriptions, GetObjectRoundTripsPensBrushesAndFonts) {
  HPEN pen = CreatePen(PS_DASH, 3, RGB(9, 8, 7));
  LOGPEN lp{};
  EXPECT_EQ(GetObjectA(pen, sizeof lp, &lp), int(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(9, 8, 7));
  EXPECT_EQ(GetObjectA(pen, 0, nullptr), int(sizeof lp));
  HPEN again = CreatePenIndirect(&lp);
  EXPECT_NE(again, nullptr);

  HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(1, 2, 3));
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectA(hatch, sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbStyle, UINT(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_DIAGCROSS));
  EXPECT_EQ(lb.lbColor, RGB(1, 2, 3));
  HBRUSH copy = CreateBrushIndirect(&lb);
  EXPECT_EQ(GetObjectType(copy), DWORD(OBJ_BRUSH));

  HFONT font = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Helv");
  LOGFONTA lf{};
  EXPECT_EQ(GetObjectA(font, sizeof lf, &lf), int(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -12);
  EXPECT_STREQ(lf.lfFaceName, "Helv");

  for (HGDIOBJ h : {HGDIOBJ(pen), HGDIOBJ(again), HGDIOBJ(hatch), HGDIOBJ(copy), HGDIOBJ(font)})
    EXPECT_TRUE(DeleteObject(h));
  EXPECT_EQ(CreatePen(42, 1, 0), nullptr);
  EXPECT_EQ(CreateHatchBrush(77, 0), nullptr);
  EXPECT_EQ(CreatePatternBrush(nullptr), nullptr);
  EXPECT_EQ(CreateBrushIndirect(nullptr), nullptr);
}

TEST(Descriptions, ShortBuffersGetTheLeadingFields) {
  // Callers written for 32-bit layouts ask for 12 bytes of LOGBRUSH and 24 of BITMAP;
  // they get the fields that fit, and the count copied.
  HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
  LOGBRUSH lb{};
  EXPECT_EQ(GetObjectA(brush, 12, &lb), 12);
  EXPECT_EQ(lb.lbStyle, UINT(BS_SOLID));
  EXPECT_EQ(lb.lbColor, RGB(4, 5, 6));
  HBITMAP bm = CreateBitmap(7, 3, 1, 32, nullptr);
  BITMAP info{};
  EXPECT_EQ(GetObjectA(bm, 24, &info), 24);
  EXPECT_EQ(info.bmWidth, 7);
  EXPECT_EQ(info.bmBitsPixel, 32);
  EXPECT_EQ(GetObjectA(bm, 0, &info), 0);
  DeleteObject(brush);
  DeleteObject(bm);
}

TEST(Descriptions, PatternBrushKeepsItsOwnCopyOfTheBitmap) {
  HBITMAP bm = CreateBitmap(8, 8, 1, 1, nullptr);
  HBRUSH brush = CreatePatternBrush(bm);
  ASSERT_NE(brush, nullptr);
  EXPECT_TRUE(DeleteObject(bm));
  LOGBRUSH lb{};
  EXPECT_NE(GetObjectA(brush, sizeof lb, &lb), 0);
  EXPECT_EQ(lb.lbStyle, UINT(BS_PATTERN));
  EXPECT_TRUE(DeleteObject(brush));
}

TEST(DeviceCaps, DescribeTheDisplay) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_TRUE(GetDeviceCaps(dc, RASTERCAPS) & RC_BITBLT);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  gdi::SetScreenSize(800, 600);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), 800);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), 600);
  gdi::SetScreenSize(1024, 768);
  EXPECT_EQ(SetMapMode(dc, MM_TEXT), MM_TEXT);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  DeleteDC(dc);
}

TEST(Regions, CombineAsUnionsOfRectangles) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
  RECT box{};
  GetRgnBox(out, &box);
  EXPECT_EQ(box.left, 5);
  EXPECT_EQ(box.right, 10);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(out, 14, 14));
  EXPECT_FALSE(PtInRegion(out, 14, 0));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(out, 7, 7));
  EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
  for (HRGN r : {a, b, out}) EXPECT_TRUE(DeleteObject(r));
}

TEST(BadHandles, FailTheWin32Way) {
  HDC forged = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x30001234));
  HGDIOBJ junk = reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(0x12345));
  RECT r{0, 0, 1, 1};
  POINT p{};
  EXPECT_EQ(SelectObject(forged, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_EQ(SelectObject(nullptr, GetStockObject(BLACK_PEN)), nullptr);
  EXPECT_FALSE(DeleteObject(nullptr));
  EXPECT_FALSE(DeleteObject(junk));
  EXPECT_EQ(GetObjectA(junk, 4, &p), 0);
  EXPECT_EQ(GetObjectType(nullptr), 0u);
  EXPECT_EQ(SetBkColor(forged, 0), CLR_INVALID);
  EXPECT_EQ(GetTextColor(nullptr), CLR_INVALID);
  EXPECT_EQ(SetBkMode(forged, OPAQUE), 0);
  EXPECT_EQ(SaveDC(forged), 0);
  EXPECT_FALSE(RestoreDC(forged, -1));
  EXPECT_EQ(GetDeviceCaps(forged, RASTERCAPS), 0);
  EXPECT_FALSE(FillRect(forged, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_FALSE(FillRect(nullptr, nullptr, nullptr));
  EXPECT_FALSE(FrameRect(forged, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  EXPECT_FALSE(InvertRect(forged, &r));
  EXPECT_FALSE(Rectangle(forged, 0, 0, 1, 1));
  EXPECT_FALSE(Ellipse(forged, 0, 0, 1, 1));
  EXPECT_FALSE(MoveToEx(forged, 0, 0, &p));
  EXPECT_FALSE(LineTo(forged, 1, 1));
  EXPECT_FALSE(Polyline(forged, &p, 1));
  EXPECT_EQ(SetPixel(forged, 0, 0, 0), CLR_INVALID);
  EXPECT_EQ(GetPixel(forged, 0, 0), CLR_INVALID);
  EXPECT_FALSE(PatBlt(forged, 0, 0, 1, 1, PATCOPY));
  EXPECT_EQ(CreateCompatibleDC(forged), nullptr);
  EXPECT_EQ(CreateCompatibleBitmap(forged, 1, 1), nullptr);
  EXPECT_FALSE(DeleteDC(forged));
  EXPECT_FALSE(gdi::DestroySurfaceDC(forged));
  EXPECT_EQ(SelectPalette(forged, nullptr, FALSE), nullptr);
  EXPECT_EQ(RealizePalette(forged), GDI_ERROR);
  EXPECT_EQ(gdi::CreateSurfaceDC(nullptr, POINT{0, 0}, gdi::ClipRegion()), nullptr);
  // A DC handle is not a drawing object.
  HDC mem = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(DeleteObject(mem));
  EXPECT_EQ(SelectObject(mem, mem), nullptr);
  EXPECT_EQ(GetObjectType(mem), DWORD(OBJ_MEMDC));
  DeleteDC(mem);
}

TEST(Palettes, SelectAndRealizeTheDefaultAndOwnPalettes) {
  HDC dc = CreateCompatibleDC(nullptr);
  LOGPALETTE lp{0x300, 1, {{10, 20, 30, 0}}};
  HPALETTE pal = CreatePalette(&lp);
  ASSERT_NE(pal, nullptr);
  EXPECT_EQ(SelectPalette(dc, pal, FALSE), GetStockObject(DEFAULT_PALETTE));
  EXPECT_EQ(RealizePalette(dc), 0u);
  EXPECT_FALSE(DeleteObject(pal));
  PALETTEENTRY e{};
  EXPECT_EQ(GetPaletteEntries(pal, 0, 1, &e), 1u);
  EXPECT_EQ(e.peGreen, 20);
  WORD n = 0;
  EXPECT_EQ(GetObjectA(pal, sizeof n, &n), 2);
  EXPECT_EQ(n, 1);
  SelectPalette(dc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
  EXPECT_TRUE(DeleteObject(pal));
  DeleteDC(dc);
}

}  // namespace

namespace {

// Threads drawing into their own DCs while others create and delete objects: every
// call keeps working and nothing is lost (run under the thread sanitizer by `make tsan`).
TEST(Threads, DrawingAndObjectChurnOnSeveralThreads) {
  constexpr int kThreads = 3;
  constexpr int kRounds = 200;
  std::vector<std::thread> threads;
  std::atomic<int> failures{0};
  auto surface = std::make_shared<gdi::Surface>(32, 32, 0xFFFFFF);
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&, t] {
      HDC dc = gdi::CreateSurfaceDC(surface, POINT{0, 0}, gdi::ClipRegion(RECT{t * 10, 0, t * 10 + 10, 32}));
      for (int i = 0; i < kRounds; ++i) {
        HBRUSH brush = CreateSolidBrush(RGB(t, i % 256, 0));
        RECT r{0, 0, 32, 32};
        if (!FillRect(dc, &r, brush)) failures++;
        HGDIOBJ old = SelectObject(dc, brush);
        if (!Rectangle(dc, 1, 1, 30, 30)) failures++;
        SelectObject(dc, old);
        if (!DeleteObject(brush)) failures++;
      }
      gdi::DestroySurfaceDC(dc);
    });
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(failures.load(), 0);
  std::lock_guard lock(surface->mutex());
  EXPECT_EQ(surface->at(5, 5) >> 16, 0u);   // thread 0's last colour
  EXPECT_EQ(surface->at(15, 5) >> 16, 1u);  // thread 1's
}

}  // namespace
