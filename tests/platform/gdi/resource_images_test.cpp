// Icons, cursors and bitmaps loaded from the module's resources by name.
#include <win32_resources.h>

#include <cstring>
#include <vector>

#include "gdi_fixture.h"

namespace {

// A 2x2 icon image (1 bpp): XOR rows bottom-up, AND mask keeps the right column.
const unsigned char kIconImage[] = {
    40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // header
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,                          //
    0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0,                                          // table
    0x00, 0, 0, 0, 0x00, 0, 0, 0,                                             // XOR: black
    0x40, 0, 0, 0, 0x40, 0, 0, 0,                                             // AND
};
// Group: a 256x256 entry (id 902, farther from the system size, not present) and the
// 2x2 one (id 901) that is picked.
const unsigned char kIconGroup[] = {
    0, 0, 1, 0, 2, 0,                                    // NEWHEADER: icon, 2 entries
    0, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0x86, 3,         // 256x256 -> id 902
    2, 2, 2, 0, 1, 0, 1, 0, sizeof(kIconImage), 0, 0, 0, 0x85, 3,  // 2x2 -> id 901
};
// A 3x2 24 bpp DIB, bottom-up: bottom row red, top row blue.
const unsigned char kBitmap[] = {
    40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0,  // bottom row (padded to 12 bytes)
    255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 0, 0,  // top row
};

const win32::ResourceRecord kRecords[] = {
    {3, nullptr, 901, kIconImage, sizeof kIconImage},
    {14, "GDITESTICON", 0, kIconGroup, sizeof kIconGroup},
    {2, "GDITESTBITMAP", 0, kBitmap, sizeof kBitmap},
    {2, "GDIBADBITMAP", 0, kBitmap, 30},
};
const bool kRegistered = win32::register_resources(kRecords, 4);

class ResourceImages : public gdi_test::SurfaceTest {};

TEST_F(ResourceImages, IconsLoadByNameOnceAndDraw) {
  ASSERT_TRUE(kRegistered);
  HINSTANCE module = GetModuleHandleA(nullptr);
  HICON icon = LoadIconA(module, "gdiTestIcon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIconA(module, "GDITESTICON"), icon);  // shared: the same handle again
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_TRUE(DrawIconEx(hdc, 4, 4, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(px(4, 4), 0u);
  EXPECT_EQ(px(5, 4), gdi_test::kPaper);
  EXPECT_EQ(LoadIconA(module, "NOSUCHICON"), nullptr);
  EXPECT_EQ(LoadCursorA(module, "GDITESTICON"), nullptr);
}

TEST_F(ResourceImages, BitmapsLoadAsDibsAndBlit) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  HBITMAP bm = LoadBitmapA(module, "GDITESTBITMAP");
  ASSERT_NE(bm, nullptr);
  BITMAP info{};
  ASSERT_EQ(GetObjectA(bm, sizeof info, &info), int(sizeof info));
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
  HDC mem = CreateCompatibleDC(hdc);
  HGDIOBJ old = SelectObject(mem, bm);
  EXPECT_TRUE(BitBlt(hdc, 0, 0, 3, 2, mem, 0, 0, SRCCOPY));
  EXPECT_EQ(px(0, 0), 0x0000FFu);  // top row blue
  EXPECT_EQ(px(2, 1), 0xFF0000u);  // bottom row red
  SelectObject(mem, old);
  DeleteDC(mem);
  EXPECT_TRUE(DeleteObject(bm));
  EXPECT_EQ(LoadBitmapA(module, "GDIBADBITMAP"), nullptr);
  EXPECT_EQ(LoadBitmapA(module, "NOSUCHBITMAP"), nullptr);
  EXPECT_EQ(LoadBitmapA(module, nullptr), nullptr);
}

}  // namespace
