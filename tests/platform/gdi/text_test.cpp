// Text with the system font: where the ink lands, extents and metrics that agree with
// the drawing, result figures that fit their fields, and DrawTextA's alignment, word
// breaks, clipping and mnemonics.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "gdi/system_font.h"
#include "gdi_fixture.h"

namespace {

using gdi_test::kInk;
using gdi_test::kPaper;

class Text : public gdi_test::SurfaceTest {
 protected:
  static constexpr int kWide = 200;
  void SetUp() override {
    surface = std::make_shared<gdi::Surface>(kWide, 80, kPaper);
    hdc = gdi::CreateSurfaceDC(surface, POINT{0, 0}, gdi::ClipRegion(surface->bounds()));
    ASSERT_NE(hdc, nullptr);
  }

  // Bounding box of every pixel that is not paper; empty when there is none.
  RECT ink_box() const {
    std::lock_guard lock(surface->mutex());
    RECT box{kWide, 80, -1, -1};
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < kWide; ++x)
        if (surface->at(x, y) != kPaper) {
          box.left = std::min<LONG>(box.left, x);
          box.top = std::min<LONG>(box.top, y);
          box.right = std::max<LONG>(box.right, x + 1);
          box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box.right < 0 ? RECT{0, 0, 0, 0} : box;
  }

  SIZE extent(const char* s) {
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(hdc, s, static_cast<int>(std::strlen(s)), &size));
    return size;
  }

  int ink_count() const {
    std::lock_guard lock(surface->mutex());
    int n = 0;
    for (int y = 0; y < 80; ++y)
      for (int x = 0; x < kWide; ++x) n += surface->at(x, y) != kPaper;
    return n;
  }
};

TEST_F(Text, TextOutInksOnlyInsideItsCell) {
  SetBkMode(hdc, TRANSPARENT);
  EXPECT_TRUE(TextOutA(hdc, 10, 20, "Hello", 5));
  SIZE size = extent("Hello");
  EXPECT_EQ(size.cy, 16);
  RECT ink = ink_box();
  EXPECT_GE(ink.left, 10);
  EXPECT_GE(ink.top, 20);
  EXPECT_LE(ink.right, 10 + size.cx);
  EXPECT_LE(ink.bottom, 20 + 16);
  EXPECT_LE(ink.left, 12);           // 'H' starts near the left of its cell
  EXPECT_GE(ink.right, 10 + size.cx - 3);
  EXPECT_GT(ink.bottom - ink.top, 7);  // capitals are more than half the cell tall
}

TEST_F(Text, OpaqueModeFillsTheCellsWithTheBackground) {
  SetBkColor(hdc, RGB(0, 0, 255));
  SetTextColor(hdc, RGB(255, 0, 0));
  TextOutA(hdc, 5, 5, "Ab", 2);
  SIZE size = extent("Ab");
  EXPECT_EQ(count(0x0000FF, RECT{0, 0, kWide, 80}) + count(0xFF0000, RECT{0, 0, kWide, 80}),
            size.cx * 16);
  EXPECT_TRUE(untouched_outside(RECT{5, 5, 5 + size.cx, 21}));
}

TEST_F(Text, AlignmentMovesTheReferencePoint) {
  SetBkMode(hdc, TRANSPARENT);
  SIZE size = extent("Xy");
  SetTextAlign(hdc, TA_RIGHT | TA_BASELINE);
  TextOutA(hdc, 100, 40, "Xy", 2);
  RECT ink = ink_box();
  EXPECT_LE(ink.right, 100);
  EXPECT_GE(ink.left, 100 - size.cx);
  // Capitals sit on the baseline row just above y; the descender of 'y' hangs below it.
  EXPECT_GT(count(kInk, RECT{0, 39, kWide, 40}), 0);
  EXPECT_GT(ink.bottom, 40);
  EXPECT_LE(ink.bottom, 40 + 3);
}

TEST_F(Text, UpdateCpAdvancesTheCurrentPosition) {
  SetTextAlign(hdc, TA_UPDATECP);
  MoveToEx(hdc, 7, 3, nullptr);
  TextOutA(hdc, 0, 0, "abc", 3);
  POINT at{};
  GetCurrentPositionEx(hdc, &at);
  EXPECT_EQ(at.x, 7 + extent("abc").cx);
  EXPECT_EQ(at.y, 3);
}

TEST_F(Text, ExtTextOutFillsAndClipsToItsRectangle) {
  SetBkColor(hdc, RGB(0, 255, 0));
  RECT r{10, 10, 30, 26};
  EXPECT_TRUE(ExtTextOutA(hdc, 12, 10, ETO_OPAQUE | ETO_CLIPPED, &r, "WWWWWWWW", 8, nullptr));
  EXPECT_TRUE(untouched_outside(r));
  EXPECT_GT(count(kInk, r), 10);
  // An empty string with ETO_OPAQUE just fills.
  RECT r2{40, 40, 50, 50};
  EXPECT_TRUE(ExtTextOutA(hdc, 0, 0, ETO_OPAQUE, &r2, "", 0, nullptr));
  EXPECT_EQ(count(0x00FF00, r2), 100);
}

TEST_F(Text, MetricsExtentsAndBaseUnitsAgree) {
  TEXTMETRICA tm{};
  ASSERT_TRUE(GetTextMetricsA(hdc, &tm));
  EXPECT_EQ(tm.tmHeight, 16);
  EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);
  EXPECT_GE(tm.tmAveCharWidth, 7);
  EXPECT_LE(tm.tmAveCharWidth, 8);
  LONG units = GetDialogBaseUnits();
  EXPECT_EQ(LOWORD(units), tm.tmAveCharWidth);
  EXPECT_EQ(HIWORD(units), tm.tmHeight);
  const char* letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  EXPECT_EQ((extent(letters).cx / 26 + 1) / 2, tm.tmAveCharWidth);
  INT widths[3] = {};
  ASSERT_TRUE(GetCharWidthA(hdc, 'a', 'c', widths));
  EXPECT_EQ(widths[0] + widths[1] + widths[2], extent("abc").cx);
  EXPECT_LE(widths[0], tm.tmMaxCharWidth);
  // Characters outside the font are drawn, and measured, as the default box.
  EXPECT_EQ(extent("\x01").cx, extent("\x7f").cx);
  EXPECT_GT(extent("\x01").cx, 0);
  char face[16] = {};
  EXPECT_GT(GetTextFaceA(hdc, sizeof face, face), 0);
  EXPECT_STREQ(face, "System");
}

// The program's result fields are 32 dialog units wide and show "%.4g" of a rate or a
// whole number; a figure cut off at the field's edge reads as a different number. The
// dialog units themselves come from the letters, so narrowing the figures must not move
// them (every dialog layout depends on 8 x 16).
TEST_F(Text, ResultFiguresFitTheirFieldsAndTheBaseUnitsStay) {
  LONG units = GetDialogBaseUnits();
  ASSERT_EQ(LOWORD(units), 8);
  ASSERT_EQ(HIWORD(units), 16);
  const int field = 32 * LOWORD(units) / 4;
  const int room = field - 2;
  for (const char* widest : {"8.888e+08", "88888888", "0.000e+00"})
    EXPECT_LE(extent(widest).cx, room) << widest;

  // Every figure advances the same width, so the widest integer is eight of any figure.
  INT widths[10] = {};
  ASSERT_TRUE(GetCharWidthA(hdc, '0', '9', widths));
  for (int w : widths) EXPECT_EQ(w, widths[0]);

  // Whatever the rate's size, "%.4g" texts of up to nine characters fit.
  for (double mantissa : {1.0, 8.888, 9.999, 1.205, 0.5}) {
    for (int power = -40; power <= 40; ++power) {
      char text[32];
      std::snprintf(text, sizeof text, "%.4g", mantissa * std::pow(10.0, power));
      if (std::strlen(text) <= 9) {
        EXPECT_LE(extent(text).cx, room) << text;
      }
    }
  }

  // Figures keep their ink inside their advance with a blank first column, so the
  // figures of a number never run into each other.
  for (unsigned char c : std::string("0123456789.+")) {
    const gdi::SystemFontGlyph& g = gdi::system_glyph(c);
    for (int y = 0; y < gdi::kSystemFontHeight; ++y) {
      EXPECT_FALSE(gdi::glyph_ink(g, 0, y)) << c << " row " << y;
      for (int x = g.advance; x < 16; ++x) EXPECT_FALSE(gdi::glyph_ink(g, x, y)) << c;
    }
  }
}

TEST_F(Text, DrawTextCentresASingleLine) {
  SetBkMode(hdc, TRANSPARENT);
  RECT r{0, 0, 200, 80};
  int h = DrawTextA(hdc, "Centre", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(h, (80 - 16) / 2 + 16);
  SIZE size = extent("Centre");
  RECT ink = ink_box();
  int left_gap = ink.left, right_gap = 200 - ink.right;
  EXPECT_LE(std::abs(left_gap - right_gap), 3);
  EXPECT_GE(ink.left, (200 - size.cx) / 2);
  EXPECT_GE(ink.top, 32);
  EXPECT_LE(ink.bottom, 48);
}

TEST_F(Text, DrawTextRightAndBottomAlignment) {
  SetBkMode(hdc, TRANSPARENT);
  RECT r{0, 0, 150, 70};
  DrawTextA(hdc, "Right", -1, &r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  RECT ink = ink_box();
  EXPECT_LE(ink.right, 150);
  EXPECT_GE(ink.right, 147);
  EXPECT_GE(ink.top, 70 - 16);
  EXPECT_LE(ink.bottom, 70);
}

TEST_F(Text, DrawTextWordBreaksAndMeasures) {
  SetBkMode(hdc, TRANSPARENT);
  const char* text = "one two three four five six";
  int one_line = extent(text).cx;
  RECT r{0, 0, one_line / 2, 80};
  RECT calc = r;
  int h = DrawTextA(hdc, text, -1, &calc, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_GE(h, 32);
  EXPECT_EQ(calc.bottom, h);
  EXPECT_LE(calc.right, r.right);
  EXPECT_EQ(ink_count(), 0) << "DT_CALCRECT draws nothing";
  EXPECT_EQ(DrawTextA(hdc, text, -1, &r, DT_WORDBREAK), h);
  RECT ink = ink_box();
  EXPECT_LE(ink.right, r.right);
  EXPECT_GT(ink.bottom, 16);
  // Single line CALCRECT measures the whole text.
  RECT single{5, 5, 6, 6};
  EXPECT_EQ(DrawTextA(hdc, text, -1, &single, DT_SINGLELINE | DT_CALCRECT), 16);
  EXPECT_EQ(single.right - single.left, one_line);
  EXPECT_EQ(single.bottom - single.top, 16);
  // Explicit line breaks make lines even without DT_WORDBREAK.
  RECT lines{0, 0, 200, 80};
  EXPECT_EQ(DrawTextA(hdc, "a\r\nb\nc", -1, &lines, DT_CALCRECT), 48);
}

TEST_F(Text, DrawTextClipsUnlessToldNotTo) {
  SetBkMode(hdc, TRANSPARENT);
  RECT r{10, 10, 30, 20};
  DrawTextA(hdc, "Clipped text", -1, &r, DT_SINGLELINE);
  EXPECT_TRUE(untouched_outside(r));
  RECT r2{10, 40, 30, 50};
  DrawTextA(hdc, "Not clipped", -1, &r2, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(ink_box().right, 30);
}

TEST_F(Text, MnemonicIsUnderlinedAndTheAmpersandNotDrawn) {
  SetBkMode(hdc, TRANSPARENT);
  RECT calc{0, 0, 200, 80};
  DrawTextA(hdc, "&File", -1, &calc, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc.right, extent("File").cx);
  RECT calc2{0, 0, 200, 80};
  DrawTextA(hdc, "a&&b", -1, &calc2, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(calc2.right, extent("a&b").cx);
  RECT r{0, 0, 200, 80};
  DrawTextA(hdc, "&File", -1, &r, DT_SINGLELINE);
  int underline_row = gdi::kSystemFontAscent + 1;
  int f_width = extent("F").cx;
  EXPECT_GE(count(kInk, RECT{0, underline_row, f_width, underline_row + 1}), f_width - 1);
  EXPECT_EQ(count(kInk, RECT{f_width + 1, underline_row, 200, underline_row + 1}), 0);
  RECT r2{0, 40, 200, 80};
  DrawTextA(hdc, "&File", -1, &r2, DT_SINGLELINE | DT_NOPREFIX);
  EXPECT_GT(ink_box().bottom, 40);
}

TEST_F(Text, BadArgumentsFail) {
  HDC forged = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0x30004321));
  RECT r{0, 0, 10, 10};
  SIZE size{};
  TEXTMETRICA tm{};
  EXPECT_FALSE(TextOutA(forged, 0, 0, "a", 1));
  EXPECT_FALSE(TextOutA(hdc, 0, 0, nullptr, 1));
  EXPECT_FALSE(TextOutA(hdc, 0, 0, "a", -1));
  EXPECT_TRUE(TextOutA(hdc, 0, 0, nullptr, 0));
  EXPECT_FALSE(GetTextExtentPoint32A(hdc, "a", 1, nullptr));
  EXPECT_FALSE(GetTextExtentPoint32A(forged, "a", 1, &size));
  EXPECT_FALSE(GetTextMetricsA(forged, &tm));
  EXPECT_FALSE(GetTextMetricsA(hdc, nullptr));
  EXPECT_EQ(DrawTextA(hdc, nullptr, 1, &r, 0), 0);
  EXPECT_EQ(DrawTextA(hdc, "a", 1, nullptr, 0), 0);
  EXPECT_EQ(DrawTextA(forged, "a", 1, &r, 0), 0);
  EXPECT_EQ(DrawTextA(hdc, "", 0, &r, 0), 0);
  EXPECT_EQ(ink_count(), 0);
}

}  // namespace
