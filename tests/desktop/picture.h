// Pictures for comparison: the X server's screen (xwd's dump) and the headless
// rendering (a PNG), as 0xRRGGBB pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace desktop_test {

struct Area {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

class Picture {
 public:
  Picture() = default;
  Picture(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

  // Parses an xwd dump of a true-colour screen; an empty picture when it cannot.
  static Picture from_xwd(const std::string& bytes);
  static Picture from_png(const std::string& path);

  bool empty() const { return pixels_.empty(); }
  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t at(int x, int y) const;  // 0 outside
  Picture crop(const Area& a) const;
  // Every pixel equal (same size required).
  bool operator==(const Picture& other) const;
  // How many pixels differ (size differences count every pixel).
  size_t differences(const Picture& other) const;
  // A nearest-neighbour reduction by a whole factor: one pixel per factor x factor block.
  Picture shrink(int factor) const;
  bool write_png(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace desktop_test
