#include "display/sdl/scale.h"

#include <cstdlib>
#include <cstring>

namespace display::sdl {

namespace {
constexpr float kBaseDpi = 96.0f;
}

int choose_scale(const char* requested, float display_dpi) {
  if (requested && *requested) {
    char* end = nullptr;
    long value = std::strtol(requested, &end, 10);
    if (end && *end == '\0' && value >= 1 && value <= kMaxScale) return static_cast<int>(value);
  }
  if (!(display_dpi > 0.0f)) return 1;
  int factor = static_cast<int>(display_dpi / kBaseDpi + 0.25f);  // 120 dpi stays 1, 180 becomes 2
  if (factor < 1) return 1;
  return factor > kMaxScale ? kMaxScale : factor;
}

}  // namespace display::sdl
