// The system font: one proportional bitmap font in a 16-pixel cell, used for all text
// whatever font is selected, so that extents and dialog base units are the same on
// every machine. Its glyphs are generated (system_font_data.cpp, tools/font/).
#pragma once

#include <cstdint>

namespace gdi {

constexpr int kSystemFontFirst = 0x20;
constexpr int kSystemFontLast = 0xFF;
constexpr int kSystemFontHeight = 16;
constexpr int kSystemFontAscent = 13;
constexpr int kSystemFontDescent = kSystemFontHeight - kSystemFontAscent;
constexpr int kSystemFontInternalLeading = 3;  // room for accents above capitals
constexpr int kSystemFontWeight = 700;
// The character drawn for codes the font has no glyph for.
constexpr unsigned char kSystemFontDefaultChar = 0x7F;

struct SystemFontGlyph {
  std::uint8_t advance;
  std::uint16_t rows[kSystemFontHeight];  // bit 15 is the leftmost pixel
};

extern const SystemFontGlyph kSystemFontGlyphs[kSystemFontLast - kSystemFontFirst + 1];

inline const SystemFontGlyph& system_glyph(unsigned char c) {
  if (c < kSystemFontFirst) c = kSystemFontDefaultChar;
  return kSystemFontGlyphs[c - kSystemFontFirst];
}

inline bool glyph_ink(const SystemFontGlyph& g, int x, int y) {
  return x >= 0 && x < 16 && y >= 0 && y < kSystemFontHeight && (g.rows[y] & (0x8000u >> x));
}

// Width in pixels of n characters.
int system_text_width(const char* text, int n);
// The average character width as dialog units use it: the 52 letters' width / 26,
// halved and rounded.
int system_font_average_width();
int system_font_max_width();

}  // namespace gdi
