#include "dialog_template.h"

#include <cstdint>
#include <cstring>

namespace win32::user {
namespace {

constexpr WORD kOrdinalMarker = 0xFFFF;
constexpr std::size_t kUnknownSize = SIZE_MAX;

// A cursor over the template bytes that refuses to step past the known end.
class Reader {
 public:
  Reader(const unsigned char* base, std::size_t size) : base_(base), size_(size) {}

  bool word(WORD* out) { return read(out, sizeof *out); }
  bool dword(DWORD* out) { return read(out, sizeof *out); }
  bool short_value(short* out) { return read(out, sizeof *out); }

  // Texts and names start on a WORD boundary; items start on a DWORD boundary. The
  // offsets count from the template's first byte, which Windows requires to be
  // DWORD-aligned itself.
  void align(std::size_t to) { offset_ = (offset_ + to - 1) / to * to; }

  bool text(std::string* out) {
    out->clear();
    for (std::size_t n = 0; n <= kMaxTemplateString; ++n) {
      WORD c;
      if (!word(&c)) return false;
      if (c == 0) return true;
      out->push_back(c < 0x100 ? static_cast<char>(c) : '?');
    }
    return false;
  }

  // A field that is 0x0000 (absent), 0xFFFF plus an ordinal, or a text.
  bool name(TemplateName* out) {
    WORD first;
    if (!peek_word(&first)) return false;
    if (first == 0) {
      offset_ += 2;
      *out = TemplateName{};
      return true;
    }
    out->present = true;
    if (first == kOrdinalMarker) {
      offset_ += 2;
      out->is_ordinal = true;
      return word(&out->ordinal);
    }
    return text(&out->text);
  }

  bool skip(std::size_t n) {
    if (!fits(n)) return false;
    offset_ += n;
    return true;
  }

  const unsigned char* here() const { return base_ + offset_; }

 private:
  bool fits(std::size_t n) const { return size_ == kUnknownSize || (offset_ <= size_ && n <= size_ - offset_); }
  bool read(void* out, std::size_t n) {
    if (!fits(n)) return false;
    std::memcpy(out, base_ + offset_, n);
    offset_ += n;
    return true;
  }
  bool peek_word(WORD* out) {
    if (!fits(sizeof *out)) return false;
    std::memcpy(out, base_ + offset_, sizeof *out);
    return true;
  }

  const unsigned char* base_;
  std::size_t size_;
  std::size_t offset_ = 0;
};

bool read_item(Reader& r, DialogItemTemplate* item) {
  r.align(4);
  if (!r.dword(&item->style) || !r.dword(&item->ex_style)) return false;
  if (!r.short_value(&item->x) || !r.short_value(&item->y) || !r.short_value(&item->cx) ||
      !r.short_value(&item->cy) || !r.word(&item->id))
    return false;
  TemplateName cls;
  if (!r.name(&cls) || !cls.present) return false;
  if (cls.is_ordinal) {
    const char* known = control_class_of_ordinal(cls.ordinal);
    if (!known) return false;
    item->class_name = known;
  } else {
    item->class_name = cls.text;
  }
  if (!r.name(&item->title)) return false;
  // The creation-data WORD: 0 means none; otherwise that many bytes follow it.
  const unsigned char* data = r.here();
  WORD extra;
  if (!r.word(&extra)) return false;
  if (extra != 0) {
    item->creation_data = data;
    if (!r.skip(extra)) return false;
  }
  return true;
}

}  // namespace

const char* control_class_of_ordinal(WORD ordinal) {
  switch (ordinal) {
    case 0x0080: return "Button";
    case 0x0081: return "Edit";
    case 0x0082: return "Static";
    case 0x0083: return "ListBox";
    case 0x0084: return "ScrollBar";
    case 0x0085: return "ComboBox";
    default: return nullptr;
  }
}

std::optional<DialogTemplate> parse_dialog_template(const void* bytes, std::size_t size) {
  if (!bytes) return std::nullopt;
  Reader r(static_cast<const unsigned char*>(bytes), size == 0 ? kUnknownSize : size);
  DialogTemplate t;
  // An extended template begins with version 1 and signature 0xFFFF where the classic
  // one has its style; we read only the classic form.
  if (size != 0 && size < sizeof(DLGTEMPLATE)) return std::nullopt;
  WORD version_or_style_low, signature_or_style_high;
  std::memcpy(&version_or_style_low, bytes, sizeof(WORD));
  std::memcpy(&signature_or_style_high, static_cast<const unsigned char*>(bytes) + 2, sizeof(WORD));
  if (version_or_style_low == 1 && signature_or_style_high == kOrdinalMarker) return std::nullopt;

  WORD count;
  if (!r.dword(&t.style) || !r.dword(&t.ex_style) || !r.word(&count) || !r.short_value(&t.x) ||
      !r.short_value(&t.y) || !r.short_value(&t.cx) || !r.short_value(&t.cy))
    return std::nullopt;
  if (count > kMaxTemplateItems) return std::nullopt;
  if (!r.name(&t.menu) || !r.name(&t.class_name) || !r.text(&t.title)) return std::nullopt;
  if (t.style & DS_SETFONT) {
    t.has_font = true;
    if (!r.word(&t.point_size) || !r.text(&t.face_name)) return std::nullopt;
  }
  t.items.resize(count);
  for (DialogItemTemplate& item : t.items)
    if (!read_item(r, &item)) return std::nullopt;
  return t;
}

}  // namespace win32::user
