// Stock pens, brushes, fonts and the default palette.
#include "gdi/stock_objects.h"

#include <array>
#include <cstring>
#include <memory>

#include "gdi/gdi_error.h"
#include "gdi/objects.h"

namespace gdi {

namespace {

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

HGDIOBJ make_permanent(std::shared_ptr<GdiObject> object) {
  object->permanent = true;
  return insert_object(std::move(object));
}

HGDIOBJ stock_brush(UINT style, COLORREF color) {
  auto brush = std::make_shared<Brush>();
  brush->log = LOGBRUSH{style, color, 0};
  return make_permanent(brush);
}

HGDIOBJ stock_pen(UINT style, COLORREF color) {
  auto pen = std::make_shared<Pen>();
  pen->log = LOGPEN{style, POINT{style == PS_NULL ? 0 : 1, 0}, color};
  return make_permanent(pen);
}

HGDIOBJ stock_font(const char* face, LONG weight, BYTE pitch) {
  // Every font draws with the one system font; the LOGFONT only records what was asked.
  auto font = std::make_shared<Font>();
  font->log.lfHeight = 16;
  font->log.lfWeight = weight;
  font->log.lfCharSet = ANSI_CHARSET;
  font->log.lfPitchAndFamily = pitch;
  std::strncpy(font->log.lfFaceName, face, LF_FACESIZE - 1);
  return make_permanent(font);
}

HGDIOBJ stock_palette() {
  // The twenty static colours of the default system palette.
  static constexpr COLORREF kColors[20] = {
      RGB(0, 0, 0),       RGB(128, 0, 0),     RGB(0, 128, 0),     RGB(128, 128, 0),
      RGB(0, 0, 128),     RGB(128, 0, 128),   RGB(0, 128, 128),   RGB(192, 192, 192),
      RGB(192, 220, 192), RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164),
      RGB(128, 128, 128), RGB(255, 0, 0),     RGB(0, 255, 0),     RGB(255, 255, 0),
      RGB(0, 0, 255),     RGB(255, 0, 255),   RGB(0, 255, 255),   RGB(255, 255, 255)};
  auto palette = std::make_shared<Palette>();
  for (COLORREF c : kColors)
    palette->entries.push_back(PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), 0});
  return make_permanent(palette);
}

std::array<HGDIOBJ, kStockCount> make_stock() {
  std::array<HGDIOBJ, kStockCount> stock{};
  stock[WHITE_BRUSH] = stock_brush(BS_SOLID, RGB(255, 255, 255));
  stock[LTGRAY_BRUSH] = stock_brush(BS_SOLID, RGB(192, 192, 192));
  stock[GRAY_BRUSH] = stock_brush(BS_SOLID, RGB(128, 128, 128));
  stock[DKGRAY_BRUSH] = stock_brush(BS_SOLID, RGB(64, 64, 64));
  stock[BLACK_BRUSH] = stock_brush(BS_SOLID, RGB(0, 0, 0));
  stock[NULL_BRUSH] = stock_brush(BS_NULL, 0);
  stock[WHITE_PEN] = stock_pen(PS_SOLID, RGB(255, 255, 255));
  stock[BLACK_PEN] = stock_pen(PS_SOLID, RGB(0, 0, 0));
  stock[NULL_PEN] = stock_pen(PS_NULL, 0);
  stock[OEM_FIXED_FONT] = stock_font("Terminal", FW_NORMAL, FIXED_PITCH);
  stock[ANSI_FIXED_FONT] = stock_font("Courier", FW_NORMAL, FIXED_PITCH);
  stock[ANSI_VAR_FONT] = stock_font("MS Sans Serif", FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
  stock[SYSTEM_FONT] = stock_font("System", FW_BOLD, VARIABLE_PITCH | FF_SWISS);
  stock[DEVICE_DEFAULT_FONT] = stock_font("System", FW_BOLD, VARIABLE_PITCH | FF_SWISS);
  stock[DEFAULT_PALETTE] = stock_palette();
  stock[SYSTEM_FIXED_FONT] = stock_font("Fixedsys", FW_NORMAL, FIXED_PITCH);
  stock[DEFAULT_GUI_FONT] = stock_font("MS Shell Dlg", FW_NORMAL, VARIABLE_PITCH | FF_SWISS);
  return stock;
}

}  // namespace

HGDIOBJ stock_object(int index) {
  static const std::array<HGDIOBJ, kStockCount> stock = make_stock();
  if (index < 0 || index >= kStockCount) return nullptr;
  return stock[index];
}

}  // namespace gdi

HGDIOBJ WINAPI GetStockObject(int index) {
  HGDIOBJ object = gdi::stock_object(index);
  if (!object) gdi::set_error(gdi::kErrorInvalidParameter);
  return object;
}
