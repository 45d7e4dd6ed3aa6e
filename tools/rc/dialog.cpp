// DIALOG -> DLGTEMPLATE followed by one DLGITEMTEMPLATE per CONTROL, each item on a
// DWORD boundary. Strings are UTF-16; a class or title may instead be 0xFFFF and an
// ordinal (the predefined control classes are 0x0080-0x0085).
#include <strings.h>

#include "byte_writer.h"
#include "parser.h"

namespace rc {
namespace {

constexpr std::uint32_t WS_POPUP = 0x80000000;
constexpr std::uint32_t WS_CHILD = 0x40000000;
constexpr std::uint32_t WS_VISIBLE = 0x10000000;
constexpr std::uint32_t WS_CAPTION = 0x00C00000;
constexpr std::uint32_t WS_BORDER = 0x00800000;
constexpr std::uint32_t WS_SYSMENU = 0x00080000;
constexpr std::uint32_t DS_SETFONT = 0x00000040;
// A DIALOG without STYLE gets the resource compiler's default.
constexpr std::uint32_t kDefaultDialogStyle = WS_POPUP | WS_BORDER | WS_SYSMENU;
constexpr std::size_t kMaxControls = 0xFFFF;

// A menu, class or title field: absent, a number, or a text.
struct NameOrOrdinal {
  bool present = false;
  std::uint16_t ordinal = 0;
  std::string text;
  bool is_ordinal() const { return present && text.empty() && ordinal != 0; }
};

void write_field(ByteWriter& out, const NameOrOrdinal& field) {
  if (field.is_ordinal()) {
    out.word(0xFFFF);
    out.word(field.ordinal);
  } else {
    out.utf16(field.text);  // an absent field is the single terminating zero
  }
}

NameOrOrdinal control_class(Parser& parser) {
  struct Predefined {
    const char* name;
    std::uint16_t ordinal;
  };
  static constexpr Predefined kClasses[] = {{"BUTTON", 0x80},    {"EDIT", 0x81},      {"STATIC", 0x82},
                                            {"LISTBOX", 0x83},   {"SCROLLBAR", 0x84}, {"COMBOBOX", 0x85}};
  // A number is the class's atom (0x0082 for Static), the form every resource compiler
  // writes the same way: windres keeps a quoted predefined name as a text.
  if (parser.peek().kind == Token::Kind::Number) {
    NameOrOrdinal field;
    field.present = true;
    field.ordinal = parser.id_value("control class");
    if (field.ordinal == 0 || field.ordinal == 0xFFFF) parser.fail_at(parser.peek(), "control class must be 1..65534");
    return field;
  }
  Token token = parser.take();
  if (token.kind != Token::Kind::String && token.kind != Token::Kind::Name)
    parser.fail_at(token, "expected a control class, found " + describe(token));
  if (token.text.empty()) parser.fail_at(token, "control class is empty");
  NameOrOrdinal field;
  field.present = true;
  for (const Predefined& predefined : kClasses) {
    if (strcasecmp(token.text.c_str(), predefined.name) == 0) {
      field.ordinal = predefined.ordinal;
      return field;
    }
  }
  if (token.kind == Token::Kind::Name) parser.fail_at(token, "unknown control class " + token.text + " (quote a custom class name)");
  field.text = token.text;
  return field;
}

struct Control {
  std::string text;
  std::uint16_t text_ordinal = 0;
  bool text_is_ordinal = false;
  std::uint16_t id = 0;
  NameOrOrdinal window_class;
  std::uint32_t style = 0;
  std::uint32_t extended_style = 0;
  std::int16_t x = 0, y = 0, cx = 0, cy = 0;
};

// CONTROL text, id, class, style, x, y, cx, cy [, extended style]
Control parse_control(Parser& parser) {
  Control control;
  if (parser.peek().kind == Token::Kind::Number) {
    control.text_is_ordinal = true;
    control.text_ordinal = parser.id_value("control text resource id");
  } else {
    control.text = parser.quoted("control text");
  }
  parser.expect(',', "after the control text");
  control.id = parser.id_value("control id");
  parser.expect(',', "after the control id");
  control.window_class = control_class(parser);
  parser.expect(',', "after the control class");
  // As the resource compiler does, every CONTROL is a visible child.
  control.style = parser.dword_value("control style") | WS_CHILD | WS_VISIBLE;
  parser.expect(',', "after the control style");
  control.x = parser.short_value("control x");
  parser.expect(',', "after the control x");
  control.y = parser.short_value("control y");
  parser.expect(',', "after the control y");
  control.cx = parser.short_value("control width");
  parser.expect(',', "after the control width");
  control.cy = parser.short_value("control height");
  if (parser.accept(',')) control.extended_style = parser.dword_value("control extended style");
  return control;
}

void write_control(ByteWriter& out, const Control& control) {
  out.align(4);
  out.dword(control.style);
  out.dword(control.extended_style);
  out.word(static_cast<std::uint16_t>(control.x));
  out.word(static_cast<std::uint16_t>(control.y));
  out.word(static_cast<std::uint16_t>(control.cx));
  out.word(static_cast<std::uint16_t>(control.cy));
  out.word(control.id);
  write_field(out, control.window_class);
  if (control.text_is_ordinal) {
    out.word(0xFFFF);
    out.word(control.text_ordinal);
  } else {
    out.utf16(control.text);
  }
  out.word(0);  // no creation data
}

}  // namespace

CompiledResource parse_dialog(Parser& parser, const Parser::Name& name) {
  parser.skip_memory_options();
  std::int16_t x = parser.short_value("dialog x");
  parser.expect(',', "after the dialog x");
  std::int16_t y = parser.short_value("dialog y");
  parser.expect(',', "after the dialog y");
  std::int16_t cx = parser.short_value("dialog width");
  parser.expect(',', "after the dialog width");
  std::int16_t cy = parser.short_value("dialog height");

  std::uint32_t style = kDefaultDialogStyle;
  std::uint32_t extended_style = 0;
  NameOrOrdinal menu, window_class;
  std::string caption;
  bool has_caption = false, has_font = false;
  std::uint16_t point_size = 0;
  std::string typeface;
  for (;;) {
    if (parser.accept_keyword("STYLE")) {
      style = parser.dword_value("dialog style");
    } else if (parser.accept_keyword("EXSTYLE")) {
      extended_style = parser.dword_value("dialog extended style");
    } else if (parser.accept_keyword("CAPTION")) {
      caption = parser.quoted("caption");
      has_caption = true;
    } else if (parser.accept_keyword("FONT")) {
      point_size = parser.word_value("font point size");
      parser.expect(',', "after the font size");
      typeface = parser.quoted("font typeface");
      has_font = true;
    } else if (parser.accept_keyword("MENU")) {
      Parser::Name menu_name = parser.resource_name("dialog menu name");
      menu = NameOrOrdinal{true, menu_name.id, menu_name.text};
    } else if (parser.accept_keyword("CLASS")) {
      Parser::Name class_name = parser.resource_name("dialog class");
      window_class = NameOrOrdinal{true, class_name.id, class_name.text};
    } else {
      break;
    }
  }
  // As the resource compiler does: a caption brings the caption bar, a font DS_SETFONT.
  if (has_caption) style |= WS_CAPTION;
  if (has_font) style |= DS_SETFONT;

  parser.expect_begin("of the dialog's controls");
  std::vector<Control> controls;
  while (!parser.accept_end()) {
    if (parser.at_end()) parser.fail("missing END of the dialog");
    if (!parser.accept_keyword("CONTROL"))
      parser.fail("expected CONTROL or END in the dialog, found " + describe(parser.peek()));
    controls.push_back(parse_control(parser));
    if (controls.size() > kMaxControls) parser.fail("too many controls in one dialog");
  }

  ByteWriter out;
  out.dword(style);
  out.dword(extended_style);
  out.word(static_cast<std::uint16_t>(controls.size()));
  out.word(static_cast<std::uint16_t>(x));
  out.word(static_cast<std::uint16_t>(y));
  out.word(static_cast<std::uint16_t>(cx));
  out.word(static_cast<std::uint16_t>(cy));
  write_field(out, menu);
  write_field(out, window_class);
  out.utf16(caption);
  if (has_font) {
    out.word(point_size);
    out.utf16(typeface);
  }
  for (const Control& control : controls) write_control(out, control);
  return CompiledResource{kDialog, name.text, name.id, out.take()};
}

}  // namespace rc
