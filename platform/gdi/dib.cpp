// Device-independent bitmap reading for resources.
#include "gdi/dib.h"

#include <cstdlib>

#include "gdi/gdi_error.h"
#include "gdi/objects.h"

namespace gdi {

namespace {

std::uint32_t u32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t u16(const BYTE* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

Pixel dib_pixel(const BYTE* row, int x, int bpp, const std::vector<Pixel>& table) {
  switch (bpp) {
    case 1: return table[(row[x / 8] >> (7 - x % 8)) & 1];
    case 4: return table[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
    case 8: return table[row[x]];
    case 16: {
      unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
      auto expand = [](unsigned c) { return (c << 3) | (c >> 2); };
      return (expand((v >> 10) & 31) << 16) | (expand((v >> 5) & 31) << 8) | expand(v & 31);
    }
    case 24: return row[3 * x] | (row[3 * x + 1] << 8) | (Pixel(row[3 * x + 2]) << 16);
    default: return row[4 * x] | (row[4 * x + 1] << 8) | (Pixel(row[4 * x + 2]) << 16);
  }
}

}  // namespace

bool read_dib(const BYTE* data, std::size_t size, int rows, DibImage& out) {
  if (!data || size < 40) return false;
  std::size_t header = u32(data);
  if (header < 40 || header > size) return false;
  auto width = static_cast<std::int32_t>(u32(data + 4));
  auto height = static_cast<std::int32_t>(u32(data + 8));
  int bpp = u16(data + 14);
  DWORD compression = u32(data + 16);
  DWORD colors_used = u32(data + 32);
  bool top_down = height < 0;
  if (height == INT32_MIN) return false;
  height = std::abs(height);
  if (rows == 0) rows = height;
  if (compression != BI_RGB || width <= 0 || width > kMaxDibSide || rows <= 0 ||
      rows > kMaxDibSide || rows > height)
    return false;
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  std::size_t table_size = bpp <= 8 ? (colors_used ? colors_used : (1u << bpp)) : 0;
  if (table_size > (1u << (bpp <= 8 ? bpp : 0))) return false;
  std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
  std::size_t start = header + table_size * 4;
  std::size_t end = start + stride * static_cast<std::size_t>(rows);
  if (end > size) return false;

  std::vector<Pixel> table(256, 0);
  for (std::size_t i = 0; i < table_size; ++i) {
    const BYTE* q = data + header + 4 * i;
    table[i] = q[0] | (q[1] << 8) | (Pixel(q[2]) << 16);
  }
  out = DibImage{};
  out.width = width;
  out.height = rows;
  out.bits_per_pixel = bpp;
  out.end = end;
  out.pixels.resize(static_cast<std::size_t>(width) * rows);
  if (bpp == 32) out.alpha.resize(out.pixels.size());
  for (int y = 0; y < rows; ++y) {
    const BYTE* row = data + start + stride * static_cast<std::size_t>(top_down ? y : rows - 1 - y);
    for (int x = 0; x < width; ++x) {
      std::size_t i = static_cast<std::size_t>(y) * width + x;
      out.pixels[i] = dib_pixel(row, x, bpp, table);
      if (bpp == 32) out.alpha[i] = row[4 * x + 3];
    }
  }
  return true;
}

HBITMAP bitmap_from_dib(const BYTE* data, std::size_t size) {
  DibImage image;
  if (!read_dib(data, size, 0, image)) {
    set_error(kErrorInvalidParameter);
    return nullptr;
  }
  Lock lock;
  bool mono = image.bits_per_pixel == 1;
  auto bitmap = std::make_shared<Bitmap>(image.width, image.height, mono ? 1 : 32);
  std::lock_guard pixels_lock(bitmap->pixels->mutex());
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      Pixel p = image.pixels[static_cast<std::size_t>(y) * image.width + x];
      if (mono) {
        unsigned sum = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
        p = sum >= 3 * 128 ? 0xFFFFFF : 0;
      }
      bitmap->pixels->set(x, y, p);
    }
  return handle_cast<HBITMAP>(insert_object(bitmap));
}

}  // namespace gdi
