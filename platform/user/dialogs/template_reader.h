// A cursor over resource template bytes (dialog and menu templates): WORDs, DWORDs and
// NUL-terminated UTF-16 texts, never stepping past the known end. With an unknown size
// (the *Indirect calls give only a pointer) only the text cap bounds a read.
#pragma once

#include <win32.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace win32::user {

class TemplateReader {
 public:
  static constexpr std::size_t kUnknownSize = SIZE_MAX;

  TemplateReader(const void* bytes, std::size_t size, std::size_t max_text)
      : base_(static_cast<const unsigned char*>(bytes)), size_(size == 0 ? kUnknownSize : size), max_text_(max_text) {}

  bool word(WORD* out) { return read(out, sizeof *out); }
  bool dword(DWORD* out) { return read(out, sizeof *out); }
  bool short_value(short* out) { return read(out, sizeof *out); }

  bool peek_word(WORD* out) const {
    if (!fits(sizeof *out)) return false;
    std::memcpy(out, base_ + offset_, sizeof *out);
    return true;
  }

  // A UTF-16 text up to its NUL, narrowed to the ANSI code page (Latin-1 here).
  bool text(std::string* out) {
    out->clear();
    for (std::size_t n = 0; n <= max_text_; ++n) {
      WORD c;
      if (!word(&c)) return false;
      if (c == 0) return true;
      out->push_back(c < 0x100 ? static_cast<char>(c) : '?');
    }
    return false;
  }

  bool skip(std::size_t n) {
    if (!fits(n)) return false;
    offset_ += n;
    return true;
  }

  // Offsets count from the template's first byte, which Windows requires to be
  // DWORD-aligned itself.
  void align(std::size_t to) { offset_ = (offset_ + to - 1) / to * to; }

  const unsigned char* here() const { return base_ + offset_; }

 private:
  bool fits(std::size_t n) const { return size_ == kUnknownSize || (offset_ <= size_ && n <= size_ - offset_); }
  bool read(void* out, std::size_t n) {
    if (!fits(n)) return false;
    std::memcpy(out, base_ + offset_, n);
    offset_ += n;
    return true;
  }

  const unsigned char* base_;
  std::size_t size_;
  std::size_t max_text_;
  std::size_t offset_ = 0;
};

}  // namespace win32::user
