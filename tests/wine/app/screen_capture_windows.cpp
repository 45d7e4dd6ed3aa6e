// The headless display's pictures (win32_headless.h) for the Windows build: what the
// system shows on screen, copied from the screen's device context and written as PNG
// files a person can open beside the other build's.
#include <win32_headless.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace headless {
namespace {

// What `window` shows (its frame too), or with no window the whole screen, as COLORREF
// row by row from the top, `width` x `height` from `origin` of the source. A window is
// read from its own device context: the screen's may not show its latest drawing yet.
std::vector<COLORREF> Capture(HWND window, POINT origin, int width, int height) {
  std::vector<COLORREF> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC source = window != nullptr ? GetWindowDC(window) : GetDC(nullptr);
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateCompatibleBitmap(source, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, source, origin.x, origin.y, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> bgrx(static_cast<size_t>(width) * static_cast<size_t>(height));
  if (GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), bgrx.data(), &info, DIB_RGB_COLORS) == height) {
    pixels.reserve(bgrx.size());
    for (std::uint32_t p : bgrx) pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  return pixels;
}

// The screen composed from the visible top-level windows, bottom to top, over what the
// screen itself shows.
std::vector<COLORREF> ComposeScreen(int width, int height) {
  std::vector<COLORREF> screen = Capture(nullptr, POINT{0, 0}, width, height);
  if (screen.empty()) return screen;
  std::vector<HWND> topDown;
  for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
    if (IsWindowVisible(w)) topDown.push_back(w);
  for (auto it = topDown.rbegin(); it != topDown.rend(); ++it) {
    RECT r{};
    GetWindowRect(*it, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const std::vector<COLORREF> own = Capture(*it, POINT{0, 0}, w, h);
    if (own.empty()) continue;
    for (int y = std::max(0, static_cast<int>(r.top)); y < std::min(height, static_cast<int>(r.bottom)); ++y)
      for (int x = std::max(0, static_cast<int>(r.left)); x < std::min(width, static_cast<int>(r.right)); ++x)
        screen[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
            own[static_cast<size_t>(y - r.top) * static_cast<size_t>(w) + static_cast<size_t>(x - r.left)];
  }
  return screen;
}

std::uint32_t Crc32(const unsigned char* data, size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBig32(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& out, const char type[5], const std::string& data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  PutBig32(out, Crc32(reinterpret_cast<const unsigned char*>(typed.data()), typed.size()));
}

// An 8-bit RGB PNG; the image data goes into stored (uncompressed) deflate blocks, which
// every reader takes and which need no compressor here.
bool WritePng(const char* path, const std::vector<COLORREF>& pixels, int width, int height) {
  if (pixels.empty() || pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) return false;
  std::string raw;
  raw.reserve(static_cast<size_t>(height) * (1 + 3 * static_cast<size_t>(width)));
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // no filter
    for (int x = 0; x < width; ++x) {
      const COLORREF c = pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      raw += static_cast<char>(GetRValue(c));
      raw += static_cast<char>(GetGValue(c));
      raw += static_cast<char>(GetBValue(c));
    }
  }
  constexpr size_t kStoredBlock = 65535;
  std::string zlib = "\x78\x01";
  for (size_t at = 0; at < raw.size(); at += kStoredBlock) {
    const size_t length = std::min(kStoredBlock, raw.size() - at);
    zlib += static_cast<char>(at + length >= raw.size() ? 1 : 0);
    zlib += static_cast<char>(length & 0xFF);
    zlib += static_cast<char>(length >> 8);
    zlib += static_cast<char>(~length & 0xFF);
    zlib += static_cast<char>((~length >> 8) & 0xFF);
    zlib.append(raw, at, length);
  }
  std::uint32_t a = 1, b = 0;
  for (unsigned char byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  PutBig32(zlib, (b << 16) | a);

  std::string header;
  PutBig32(header, static_cast<std::uint32_t>(width));
  PutBig32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter set, no interlace
  std::string png = "\x89PNG\r\n\x1a\n";
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", "");
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

std::vector<COLORREF> screen_pixels(int* width, int* height) {
  *width = GetSystemMetrics(SM_CXSCREEN);
  *height = GetSystemMetrics(SM_CYSCREEN);
  return ComposeScreen(*width, *height);
}

bool screenshot(const char* path) {
  int width = 0, height = 0;
  const std::vector<COLORREF> screen = screen_pixels(&width, &height);
  return WritePng(path, screen, width, height);
}

bool screenshot_window(HWND window, const char* path) {
  RECT r{};
  if (!GetWindowRect(window, &r)) return false;
  const int width = r.right - r.left, height = r.bottom - r.top;
  return WritePng(path, Capture(window, POINT{0, 0}, width, height), width, height);
}

}  // namespace headless
