// The program icon as DrawIcon paints it: drawn on black and on white, a pixel that comes
// out the same on both is the icon's own; one that differs is background (CLR_INVALID).
#pragma once

#include <win32.h>

#include <vector>

namespace icon_test {

constexpr int kIconSize = 32;

inline std::vector<COLORREF> IconPixels() {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), "QUIRVEL");
  HDC screen = GetDC(nullptr);
  std::vector<COLORREF> painted[2];
  const COLORREF backgrounds[2] = {RGB(0, 0, 0), RGB(255, 255, 255)};
  for (int b = 0; b < 2; ++b) {
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kIconSize, kIconSize);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, kIconSize, kIconSize};
    HBRUSH brush = CreateSolidBrush(backgrounds[b]);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    DrawIcon(dc, 0, 0, icon);
    for (int y = 0; y < kIconSize; ++y)
      for (int x = 0; x < kIconSize; ++x) painted[b].push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  ReleaseDC(nullptr, screen);
  std::vector<COLORREF> pixels(painted[0].size());
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = painted[0][i] == painted[1][i] ? painted[0][i] : CLR_INVALID;
  }
  return pixels;
}

}  // namespace icon_test
