// Whole-factor scaling between the platform's pixels and the desktop's. A high-density
// desktop shows every platform pixel as a factor x factor block (nearest neighbour, so
// the bitmap font stays sharp); desktop input coordinates map back exactly.
#pragma once

namespace display::sdl {

constexpr int kMaxScale = 3;

// The factor to use: TORVEX_SCALE's value when it is 1..kMaxScale, else one step per
// 96 dots per inch the display reports (at least 1). `requested` may be null.
int choose_scale(const char* requested, float display_dpi);

struct Scale {
  int factor = 1;

  int to_desktop(int platform) const { return platform * factor; }
  // Rounds towards minus infinity, so a desktop pixel left of or above a window's origin
  // never maps onto the window's first column or row.
  int to_platform(int desktop) const {
    return desktop >= 0 ? desktop / factor : -((-desktop + factor - 1) / factor);
  }
};

}  // namespace display::sdl
