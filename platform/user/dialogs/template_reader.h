// A cursor over resource template bytes (dialog and menu templates): WORDs, DWORDs and
// NUL-terminated UTF-16 texts, never stepping past the known end. The *Indirect calls
// give only a pointer: when it points into one of the module's resources the end of that
// resource is the end, otherwise the size is unknown and only caps bound the reading:
// the text cap, and a cap on how far one skip may leap on a count read from the bytes.
#pragma once

#include <win32.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "kernel/resource_directory.h"

namespace win32::user {

class TemplateReader {
 public:
  static constexpr std::size_t kUnknownSize = SIZE_MAX;
  // No template of ours skips more than a few bytes (creation data, a header offset);
  // without a known end a larger count is taken as damage rather than followed.
  static constexpr std::size_t kMaxUnsizedSkip = 256;

  // size 0: unknown, unless the bytes lie inside a resource.
  TemplateReader(const void* bytes, std::size_t size, std::size_t max_text)
      : base_(static_cast<const unsigned char*>(bytes)), size_(known_size(bytes, size)), max_text_(max_text) {}

  bool size_known() const { return size_ != kUnknownSize; }
  // Whether n more bytes may be read (always, when the size is unknown).
  bool has(std::size_t n) const { return fits(n); }

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
    if (!fits(n) || (!size_known() && n > kMaxUnsizedSkip)) return false;
    offset_ += n;
    return true;
  }

  // Offsets count from the template's first byte, which Windows requires to be
  // DWORD-aligned itself. Aligning may step past the end; the next read then fails.
  void align(std::size_t to) { offset_ = (offset_ + to - 1) / to * to; }

  const unsigned char* here() const { return base_ + offset_; }

 private:
  static std::size_t known_size(const void* bytes, std::size_t size) {
    if (size == 0) size = kernel::resource_bytes_from(bytes);
    return size == 0 ? kUnknownSize : size;
  }
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
