// Icons and cursors: Win32 icon images parsed from resource bytes, the AND/XOR drawing
// rule, icons from bitmaps, the system icons and cursors, and malformed input.
#include <cstring>
#include <vector>

#include "gdi/icon.h"
#include "gdi_fixture.h"

namespace {

using gdi_test::kPaper;

constexpr gdi::Pixel kBackground = 0x336699;

// A 32x32, 16-colour icon image as an RT_ICON resource holds it: header, 16 RGBQUADs,
// XOR rows (4 bpp) and AND rows (1 bpp), both bottom-up. Columns 0-7: colour 1 (red)
// shown; 8-15: transparent (AND 1, colour 0); 16-23: inverted (AND 1, colour 15 white);
// 24-31: colour 2 (green) shown.
std::vector<BYTE> sample_icon() {
  std::vector<BYTE> b(744, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); };
  auto put16 = [&](std::size_t at, std::uint16_t v) { std::memcpy(&b[at], &v, 2); };
  put32(0, 40);
  put32(4, 32);
  put32(8, 64);
  put16(12, 1);
  put16(14, 4);
  BYTE* table = &b[40];
  table[1 * 4 + 2] = 0xFF;                                    // index 1: red
  table[2 * 4 + 1] = 0xFF;                                    // index 2: green
  table[15 * 4 + 0] = table[15 * 4 + 1] = table[15 * 4 + 2] = 0xFF;  // index 15: white
  BYTE* xor_rows = &b[40 + 64];
  BYTE* and_rows = xor_rows + 512;
  for (int row = 0; row < 32; ++row) {
    for (int x = 0; x < 32; ++x) {
      int index = x < 8 ? 1 : x < 16 ? 0 : x < 24 ? 15 : 2;
      BYTE& cell = xor_rows[row * 16 + x / 2];
      cell |= static_cast<BYTE>(x % 2 ? index : index << 4);
      if (x >= 8 && x < 24) and_rows[row * 4 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  return b;
}

class Icons : public gdi_test::SurfaceTest {
 protected:
  void paint_background() {
    RECT all{0, 0, kWidth, kHeight};
    HBRUSH bg = CreateSolidBrush(gdi::to_colorref(kBackground));
    FillRect(hdc, &all, bg);
    DeleteObject(bg);
  }
};

TEST_F(Icons, DrawIconAppliesTheAndXorRule) {
  std::vector<BYTE> bytes = sample_icon();
  HICON icon = CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE,
                                        0x00030000, 0, 0, LR_DEFAULTCOLOR);
  ASSERT_NE(icon, nullptr);
  paint_background();
  EXPECT_TRUE(DrawIcon(hdc, 2, 3, icon));
  EXPECT_EQ(px(2, 3), 0xFF0000u);                    // shown colour, top-left at (x, y)
  EXPECT_EQ(px(2 + 12, 3 + 10), kBackground);        // transparent
  EXPECT_EQ(px(2 + 20, 3 + 31), kBackground ^ 0xFFFFFFu);  // inverted
  EXPECT_EQ(px(2 + 31, 3 + 31), 0x00FF00u);
  EXPECT_EQ(px(2 + 32, 3), kBackground);             // drawn at 32x32 only
  EXPECT_EQ(px(1, 3), kBackground);
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DrawIcon(hdc, 0, 0, icon));
  EXPECT_FALSE(DestroyIcon(icon));
}

TEST_F(Icons, MalformedImagesAreRefused) {
  std::vector<BYTE> bytes = sample_icon();
  EXPECT_EQ(CreateIconFromResourceEx(bytes.data(), 743, TRUE, 0x30000, 0, 0, 0), nullptr);
  EXPECT_EQ(CreateIconFromResourceEx(bytes.data(), 30, TRUE, 0x30000, 0, 0, 0), nullptr);
  EXPECT_EQ(CreateIconFromResourceEx(nullptr, 744, TRUE, 0x30000, 0, 0, 0), nullptr);
  std::vector<BYTE> odd = bytes;
  odd[8] = 63;  // height not twice an image height
  EXPECT_EQ(CreateIconFromResourceEx(odd.data(), 744, TRUE, 0x30000, 0, 0, 0), nullptr);
  std::vector<BYTE> huge = bytes;
  huge[5] = 0x7F;  // width 0x7F20
  EXPECT_EQ(CreateIconFromResourceEx(huge.data(), 744, TRUE, 0x30000, 0, 0, 0), nullptr);
  std::vector<BYTE> depth = bytes;
  depth[14] = 3;
  EXPECT_EQ(CreateIconFromResourceEx(depth.data(), 744, TRUE, 0x30000, 0, 0, 0), nullptr);
  std::vector<BYTE> header = bytes;
  header[0] = 0xFF;
  header[1] = 0xFF;  // header larger than the data
  EXPECT_EQ(CreateIconFromResourceEx(header.data(), 744, TRUE, 0x30000, 0, 0, 0), nullptr);
}

TEST_F(Icons, CursorImagesCarryTheirHotspot) {
  std::vector<BYTE> bytes = sample_icon();
  bytes.insert(bytes.begin(), {5, 0, 7, 0});
  HCURSOR cursor = CreateIconFromResource(bytes.data(), static_cast<DWORD>(bytes.size()), FALSE,
                                          0x30000);
  ASSERT_NE(cursor, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(cursor, &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 7u);
  BITMAP bm{};
  GetObjectA(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 32);
  DeleteObject(info.hbmMask);
  DeleteObject(info.hbmColor);
  EXPECT_TRUE(DestroyCursor(cursor));
}

TEST_F(Icons, IconsFromBitmapsRoundTrip) {
  // 2x2: top-left shown red, the rest transparent.
  const BYTE and_bits[] = {0x40, 0x00, 0xC0, 0x00};
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, and_bits);
  const BYTE color_bits[] = {0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  HBITMAP color = CreateBitmap(2, 2, 1, 32, color_bits);
  ICONINFO info{TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  ASSERT_NE(icon, nullptr);
  paint_background();
  EXPECT_TRUE(DrawIconEx(hdc, 10, 10, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(px(10, 10), 0xFF0000u);
  EXPECT_EQ(px(11, 10), kBackground);
  EXPECT_EQ(px(10, 11), kBackground);
  EXPECT_TRUE(DrawIconEx(hdc, 20, 20, icon, 8, 8, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(count(0xFF0000, RECT{20, 20, 28, 28}), 16);
  EXPECT_TRUE(DrawIconEx(hdc, 40, 0, icon, 0, 0, 0, nullptr, DI_MASK));
  EXPECT_EQ(px(40, 0), 0u);
  EXPECT_TRUE(DestroyIcon(icon));
  const BYTE xor_bits[] = {0xFF, 0, 0xFF, 0};
  HICON made = CreateIcon(nullptr, 2, 2, 1, 1, and_bits, xor_bits);
  ASSERT_NE(made, nullptr);
  EXPECT_TRUE(DestroyIcon(made));
  EXPECT_EQ(CreateIcon(nullptr, 2, 2, 1, 1, nullptr, xor_bits), nullptr);
  ICONINFO bad{TRUE, 0, 0, nullptr, color};
  EXPECT_EQ(CreateIconIndirect(&bad), nullptr);
  EXPECT_EQ(CreateIconIndirect(nullptr), nullptr);
  DeleteObject(mask);
  DeleteObject(color);
}

TEST_F(Icons, SystemIconsAndCursorsAreSharedAndSurviveDestroy) {
  for (LPCSTR id : {IDI_APPLICATION, IDI_HAND, IDI_QUESTION, IDI_EXCLAMATION, IDI_ASTERISK}) {
    HICON icon = LoadIconA(nullptr, id);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIconA(nullptr, id), icon);
    EXPECT_TRUE(DestroyIcon(icon));
    paint_background();
    EXPECT_TRUE(DrawIcon(hdc, 0, 0, icon));
    EXPECT_GT(count(kBackground, RECT{0, 0, 32, 32}), 0) << "corners stay transparent";
    EXPECT_LT(count(kBackground, RECT{0, 0, 32, 32}), 32 * 32 - 200) << "the icon shows";
  }
  EXPECT_EQ(LoadIconA(nullptr, IDI_ERROR), LoadIconA(nullptr, IDI_HAND));
  for (LPCSTR id : {IDC_ARROW, IDC_WAIT, IDC_IBEAM}) {
    HCURSOR cursor = LoadCursorA(nullptr, id);
    ASSERT_NE(cursor, nullptr);
    EXPECT_TRUE(DestroyCursor(cursor));
    EXPECT_NE(gdi::find_icon(cursor), nullptr);
  }
  EXPECT_EQ(gdi::find_icon(LoadCursorA(nullptr, IDC_ARROW))->hotspot.x, 0);
  EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(1)), nullptr);
  EXPECT_EQ(LoadIconA(nullptr, "NOSUCH"), nullptr);
  EXPECT_EQ(LoadIconA(nullptr, nullptr), nullptr);
}

HICON fake_loader(HINSTANCE, LPCSTR name, bool is_icon) {
  return is_icon && std::strcmp(name, "APPICON") == 0 ? LoadIconA(nullptr, IDI_QUESTION) : nullptr;
}

TEST_F(Icons, ModuleIconsComeFromTheResourceLoader) {
  HINSTANCE module = reinterpret_cast<HINSTANCE>(static_cast<std::uintptr_t>(0x70000010));
  EXPECT_EQ(LoadIconA(module, "APPICON"), nullptr);
  gdi::SetIconResourceLoader(&fake_loader);
  EXPECT_EQ(LoadIconA(module, "APPICON"), LoadIconA(nullptr, IDI_QUESTION));
  EXPECT_EQ(LoadCursorA(module, "APPICON"), nullptr);
  gdi::SetIconResourceLoader(nullptr);
}

TEST_F(Icons, BadHandlesFail) {
  HICON forged = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(0x80001234));
  EXPECT_FALSE(DrawIcon(hdc, 0, 0, forged));
  EXPECT_FALSE(DrawIcon(hdc, 0, 0, nullptr));
  EXPECT_FALSE(DrawIcon(nullptr, 0, 0, LoadIconA(nullptr, IDI_APPLICATION)));
  EXPECT_FALSE(DestroyIcon(forged));
  ICONINFO info{};
  EXPECT_FALSE(GetIconInfo(forged, &info));
  EXPECT_EQ(count(kPaper), kWidth * kHeight);
}

}  // namespace
