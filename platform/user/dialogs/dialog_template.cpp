#include "dialog_template.h"

#include <cstring>

#include "template_reader.h"

namespace win32::user {
namespace {

constexpr WORD kOrdinalMarker = 0xFFFF;

// A field that is 0x0000 (absent), 0xFFFF plus an ordinal, or a text.
bool read_name(TemplateReader& r, TemplateName* out) {
  WORD first;
  if (!r.peek_word(&first)) return false;
  if (first == 0) {
    r.skip(2);
    *out = TemplateName{};
    return true;
  }
  out->present = true;
  if (first == kOrdinalMarker) {
    r.skip(2);
    out->is_ordinal = true;
    return r.word(&out->ordinal);
  }
  return r.text(&out->text);
}

bool read_item(TemplateReader& r, DialogItemTemplate* item) {
  r.align(4);
  if (!r.dword(&item->style) || !r.dword(&item->ex_style)) return false;
  if (!r.short_value(&item->x) || !r.short_value(&item->y) || !r.short_value(&item->cx) ||
      !r.short_value(&item->cy) || !r.word(&item->id))
    return false;
  TemplateName cls;
  if (!read_name(r, &cls) || !cls.present) return false;
  if (cls.is_ordinal) {
    const char* known = control_class_of_ordinal(cls.ordinal);
    if (!known) return false;
    item->class_name = known;
  } else {
    item->class_name = cls.text;
  }
  if (!read_name(r, &item->title)) return false;
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
  TemplateReader r(bytes, size, kMaxTemplateString);
  DialogTemplate t;
  // An extended template begins with version 1 and signature 0xFFFF where the classic
  // one has its style; we read only the classic form.
  if (!r.has(sizeof(DLGTEMPLATE))) return std::nullopt;
  WORD version_or_style_low, signature_or_style_high;
  std::memcpy(&version_or_style_low, bytes, sizeof(WORD));
  std::memcpy(&signature_or_style_high, static_cast<const unsigned char*>(bytes) + 2, sizeof(WORD));
  if (version_or_style_low == 1 && signature_or_style_high == kOrdinalMarker) return std::nullopt;

  WORD count;
  if (!r.dword(&t.style) || !r.dword(&t.ex_style) || !r.word(&count) || !r.short_value(&t.x) ||
      !r.short_value(&t.y) || !r.short_value(&t.cx) || !r.short_value(&t.cy))
    return std::nullopt;
  if (count > kMaxTemplateItems) return std::nullopt;
  if (!read_name(r, &t.menu) || !read_name(r, &t.class_name) || !r.text(&t.title)) return std::nullopt;
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
