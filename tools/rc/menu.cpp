// MENU -> the classic menu template: a header of two zero WORDs, then the items in order.
// A command item is (flags, id, text); a pop-up is (flags | MF_POPUP, text) followed by
// its own items; the last item of every level carries MF_END.
#include <memory>

#include "byte_writer.h"
#include "parser.h"

namespace rc {
namespace {

constexpr std::uint16_t MF_GRAYED = 0x0001;
constexpr std::uint16_t MF_DISABLED = 0x0002;
constexpr std::uint16_t MF_CHECKED = 0x0008;
constexpr std::uint16_t MF_POPUP = 0x0010;
constexpr std::uint16_t MF_MENUBARBREAK = 0x0020;
constexpr std::uint16_t MF_MENUBREAK = 0x0040;
constexpr std::uint16_t MF_END = 0x0080;
constexpr std::uint16_t MF_HELP = 0x4000;

struct MenuItem {
  std::uint16_t flags = 0;
  std::uint16_t id = 0;
  std::string text;
  bool popup = false;
  std::vector<MenuItem> children;
};

std::uint16_t item_options(Parser& parser) {
  struct Option {
    const char* keyword;
    std::uint16_t flag;
  };
  static constexpr Option kOptions[] = {{"GRAYED", MF_GRAYED},       {"INACTIVE", MF_DISABLED},
                                        {"CHECKED", MF_CHECKED},     {"MENUBARBREAK", MF_MENUBARBREAK},
                                        {"MENUBREAK", MF_MENUBREAK}, {"HELP", MF_HELP}};
  std::uint16_t flags = 0;
  for (;;) {
    parser.accept(',');
    bool matched = false;
    for (const Option& option : kOptions) {
      if (parser.accept_keyword(option.keyword)) {
        flags |= option.flag;
        matched = true;
      }
    }
    if (!matched) return flags;
  }
}

// The start of a long item text, for messages.
std::string describe_text(const std::string& text) {
  constexpr std::size_t kShownCharacters = 40;
  return text.size() > kShownCharacters ? text.substr(0, kShownCharacters) + "..." : text;
}

std::vector<MenuItem> parse_items(Parser& parser, const char* where, int depth) {
  Token begin = parser.peek();
  if (depth > kMaxPopupNesting)
    parser.fail("pop-ups are nested more than " + std::to_string(kMaxPopupNesting) + " deep");
  parser.expect_begin(where);
  std::vector<MenuItem> items;
  while (!parser.accept_end()) {
    if (parser.at_end()) parser.fail(std::string("missing END of ") + where);
    MenuItem item;
    if (parser.accept_keyword("MENUITEM")) {
      if (parser.accept_keyword("SEPARATOR")) {
        items.push_back(item);
        continue;
      }
      item.text = parser.quoted("menu item text");
      parser.expect(',', "before the menu item id");
      item.id = parser.id_value("menu item id");
      item.flags = item_options(parser);
    } else if (parser.accept_keyword("POPUP")) {
      item.popup = true;
      item.text = parser.quoted("pop-up text");
      item.flags = item_options(parser) | MF_POPUP;
      item.children = parse_items(parser, ("pop-up \"" + describe_text(item.text) + "\"").c_str(), depth + 1);
    } else {
      parser.fail("expected MENUITEM, POPUP or END in " + std::string(where) + ", found " + describe(parser.peek()));
    }
    items.push_back(std::move(item));
  }
  // Without items there is no last item to carry MF_END.
  if (items.empty()) parser.fail_at(begin, std::string(where) + " has no items");
  return items;
}

void write_items(ByteWriter& out, const std::vector<MenuItem>& items) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = items[i];
    std::uint16_t flags = item.flags | (i + 1 == items.size() ? MF_END : 0);
    out.word(flags);
    if (!item.popup) out.word(item.id);
    out.utf16(item.text);
    if (item.popup) write_items(out, item.children);
  }
}

}  // namespace

CompiledResource parse_menu(Parser& parser, const Parser::Name& name) {
  parser.skip_memory_options();
  std::vector<MenuItem> items = parse_items(parser, "the menu", 0);
  ByteWriter out;
  out.word(0);  // version
  out.word(0);  // offset to the items after this header
  write_items(out, items);
  return CompiledResource{kMenu, name.text, name.id, out.take()};
}

}  // namespace rc
