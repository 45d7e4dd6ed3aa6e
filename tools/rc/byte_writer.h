// Little-endian output for the Win32 resource formats: WORDs, DWORDs, UTF-16 strings and
// alignment relative to the start of the blob.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rc {

class ByteWriter {
 public:
  void byte(std::uint8_t value) { bytes_.push_back(value); }
  void word(std::uint16_t value) {
    byte(static_cast<std::uint8_t>(value & 0xFF));
    byte(static_cast<std::uint8_t>(value >> 8));
  }
  void dword(std::uint32_t value) {
    word(static_cast<std::uint16_t>(value & 0xFFFF));
    word(static_cast<std::uint16_t>(value >> 16));
  }
  // The script's text is in the ANSI code page; its bytes 0-255 are the first 256
  // UTF-16 code points.
  void utf16(const std::string& text, bool terminated = true) {
    for (char c : text) word(static_cast<unsigned char>(c));
    if (terminated) word(0);
  }
  void align(std::size_t boundary) {
    while (bytes_.size() % boundary) byte(0);
  }
  void append(const std::vector<std::uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }

  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace rc
