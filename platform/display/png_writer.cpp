// PNG output through libpng's simplified API, which keeps its error recovery inside
// libpng's own C frames.
#include "display/png_writer.h"

#include <png.h>

#include <cstdint>
#include <mutex>
#include <vector>

#include "gdi/clip_region.h"

namespace display {

bool write_png(const gdi::Surface& surface, const std::string& path, const RECT* area) {
  std::vector<std::uint8_t> rgb;
  RECT r;
  {
    std::lock_guard lock(surface.mutex());
    r = area ? gdi::rect_intersection(*area, surface.bounds()) : surface.bounds();
    if (gdi::rect_empty(r)) return false;
    rgb.reserve(static_cast<std::size_t>(r.right - r.left) * (r.bottom - r.top) * 3);
    for (int y = r.top; y < r.bottom; ++y) {
      const gdi::Pixel* row = surface.row(y);
      for (int x = r.left; x < r.right; ++x) {
        rgb.push_back(static_cast<std::uint8_t>(row[x] >> 16));
        rgb.push_back(static_cast<std::uint8_t>(row[x] >> 8));
        rgb.push_back(static_cast<std::uint8_t>(row[x]));
      }
    }
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(r.right - r.left);
  image.height = static_cast<png_uint_32>(r.bottom - r.top);
  image.format = PNG_FORMAT_RGB;
  int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(),
                                   static_cast<png_int_32>(image.width * 3), nullptr);
  png_image_free(&image);
  return ok != 0;
}

}  // namespace display
