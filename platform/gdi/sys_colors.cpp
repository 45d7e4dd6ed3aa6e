// System colours and their brushes, with the classic desktop scheme: grey 3-D faces,
// navy active caption, white window background, teal desktop.
#include <array>
#include <memory>

#include "gdi/gdi_error.h"
#include "gdi/objects.h"

namespace gdi {

namespace {

constexpr int kSysColorCount = COLOR_INFOBK + 1;

constexpr std::array<COLORREF, kSysColorCount> kSysColors = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(223, 223, 223),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
};

std::array<HBRUSH, kSysColorCount> make_brushes() {
  std::array<HBRUSH, kSysColorCount> brushes{};
  for (int i = 0; i < kSysColorCount; ++i) {
    auto brush = std::make_shared<Brush>();
    brush->log = LOGBRUSH{BS_SOLID, kSysColors[i], 0};
    brush->permanent = true;
    brushes[i] = handle_cast<HBRUSH>(insert_object(brush));
  }
  return brushes;
}

}  // namespace

}  // namespace gdi

DWORD WINAPI GetSysColor(int index) {
  if (index < 0 || index >= gdi::kSysColorCount) return 0;
  return gdi::kSysColors[index];
}

HBRUSH WINAPI GetSysColorBrush(int index) {
  static const std::array<HBRUSH, gdi::kSysColorCount> brushes = gdi::make_brushes();
  if (index < 0 || index >= gdi::kSysColorCount) {
    gdi::set_error(gdi::kErrorInvalidParameter);
    return nullptr;
  }
  return brushes[index];
}
