#include "picture.h"

#include <png.h>

#include <cstring>

namespace desktop_test {
namespace {

std::uint32_t big_endian(const std::string& b, size_t at) {
  auto u = [&](size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + i])); };
  return (u(0) << 24) | (u(1) << 16) | (u(2) << 8) | u(3);
}

int shift_of(std::uint32_t mask) {
  int s = 0;
  while (mask && !(mask & 1)) mask >>= 1, ++s;
  return s;
}

}  // namespace

Picture Picture::from_xwd(const std::string& b) {
  constexpr size_t kHeaderWords = 25;
  if (b.size() < kHeaderWords * 4) return {};
  std::uint32_t h[kHeaderWords];
  for (size_t i = 0; i < kHeaderWords; ++i) h[i] = big_endian(b, i * 4);
  const std::uint32_t header_size = h[0], format = h[2], width = h[4], height = h[5], byte_order = h[7];
  const std::uint32_t bits_per_pixel = h[11], bytes_per_line = h[12], red = h[14], green = h[15], blue = h[16];
  const std::uint32_t colours = h[19];
  constexpr std::uint32_t kZPixmap = 2;
  if (format != kZPixmap || (bits_per_pixel != 24 && bits_per_pixel != 32) || width > 16384 || height > 16384) return {};
  const size_t offset = header_size + static_cast<size_t>(colours) * 12;
  const size_t bytes = bits_per_pixel / 8;
  if (b.size() < offset + static_cast<size_t>(bytes_per_line) * height) return {};
  Picture p(static_cast<int>(width), static_cast<int>(height));
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) {
      const size_t at = offset + static_cast<size_t>(y) * bytes_per_line + static_cast<size_t>(x) * bytes;
      std::uint32_t v = 0;
      for (size_t i = 0; i < bytes; ++i) {
        std::uint32_t byte = static_cast<unsigned char>(b[at + i]);
        v |= byte_order == 0 ? byte << (8 * i) : byte << (8 * (bytes - 1 - i));
      }
      std::uint32_t r = (v & red) >> shift_of(red), g = (v & green) >> shift_of(green), bl = (v & blue) >> shift_of(blue);
      p.pixels_[static_cast<size_t>(y) * width + x] = (r << 16) | (g << 8) | bl;
    }
  }
  return p;
}

Picture Picture::from_png(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) return {};
  Picture p(static_cast<int>(image.width), static_cast<int>(image.height));
  for (size_t i = 0; i < p.pixels_.size(); ++i)
    p.pixels_[i] = (static_cast<std::uint32_t>(rgb[i * 3]) << 16) | (static_cast<std::uint32_t>(rgb[i * 3 + 1]) << 8) |
                   rgb[i * 3 + 2];
  return p;
}

std::uint32_t Picture::at(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return pixels_[static_cast<size_t>(y) * width_ + x];
}

Picture Picture::crop(const Area& a) const {
  Picture p(a.width() > 0 ? a.width() : 0, a.height() > 0 ? a.height() : 0);
  for (int y = 0; y < p.height_; ++y)
    for (int x = 0; x < p.width_; ++x) p.pixels_[static_cast<size_t>(y) * p.width_ + x] = at(a.left + x, a.top + y);
  return p;
}

bool Picture::operator==(const Picture& other) const {
  return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
}

size_t Picture::differences(const Picture& other) const {
  if (width_ != other.width_ || height_ != other.height_) return std::max(pixels_.size(), other.pixels_.size());
  size_t n = 0;
  for (size_t i = 0; i < pixels_.size(); ++i) n += pixels_[i] != other.pixels_[i];
  return n;
}

Picture Picture::shrink(int factor) const {
  Picture p(width_ / factor, height_ / factor);
  for (int y = 0; y < p.height_; ++y)
    for (int x = 0; x < p.width_; ++x) p.pixels_[static_cast<size_t>(y) * p.width_ + x] = at(x * factor, y * factor);
  return p;
}

bool Picture::write_png(const std::string& path) const {
  std::vector<unsigned char> rgb;
  rgb.reserve(pixels_.size() * 3);
  for (std::uint32_t v : pixels_) {
    rgb.push_back(static_cast<unsigned char>(v >> 16));
    rgb.push_back(static_cast<unsigned char>(v >> 8));
    rgb.push_back(static_cast<unsigned char>(v));
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width_);
  image.height = static_cast<png_uint_32>(height_);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr) != 0;
}

}  // namespace desktop_test
