// Reading classic DLGTEMPLATE bytes: the header, its menu/class/title/font arrays and
// the DLGITEMTEMPLATEs that follow, with Windows' alignment rules. The dialog manager
// works only from what this parser returns, so a malformed template fails here, before
// any window exists.
#pragma once

#include <win32.h>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace win32::user {

// A menu, class or title field: absent, an ordinal (0xFFFF then a WORD) or a text.
struct TemplateName {
  bool present = false;
  bool is_ordinal = false;
  WORD ordinal = 0;
  std::string text;  // UTF-16 narrowed to the ANSI code page (Latin-1 here)
};

struct DialogItemTemplate {
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  WORD id = 0;
  std::string class_name;  // ordinals are resolved to "Button", "Edit", ...
  TemplateName title;
  const void* creation_data = nullptr;  // points at the size WORD, or null when there is none
};

struct DialogTemplate {
  DWORD style = 0;
  DWORD ex_style = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  TemplateName menu;
  TemplateName class_name;  // absent: the standard dialog class
  std::string title;
  bool has_font = false;
  WORD point_size = 0;
  std::string face_name;
  std::vector<DialogItemTemplate> items;
};

// No template of ours comes near these; bytes beyond them mean the template is corrupt.
constexpr std::size_t kMaxTemplateString = 4096;  // characters in one text field
constexpr WORD kMaxTemplateItems = 1024;

// Parses `size` bytes at `bytes`. Size 0 means unknown, as for the indirect calls: then
// the end of the resource the bytes lie in bounds the read, or, outside any resource,
// the caps on texts, items and skipped creation data. Returns nothing for a malformed
// or extended (DLGTEMPLATEEX) template.
std::optional<DialogTemplate> parse_dialog_template(const void* bytes, std::size_t size);

// The class name of a control ordinal (0x0080 Button ... 0x0085 ComboBox), or null.
const char* control_class_of_ordinal(WORD ordinal);

}  // namespace win32::user
