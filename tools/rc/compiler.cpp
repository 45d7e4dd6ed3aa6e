#include "compiler.h"

#include <cctype>

#include "input_file.h"
#include "parser.h"
#include "script_error.h"

namespace rc {
namespace {

// The first icon image gets id 1, as the resource compiler numbers them.
constexpr std::uint16_t kFirstIconId = 1;

void add_unique(std::vector<CompiledResource>& resources, CompiledResource resource, const Parser& parser,
                const Token& at) {
  for (const CompiledResource& existing : resources) {
    if (existing.type == resource.type && existing.name == resource.name && existing.id == resource.id) {
      std::string shown = resource.name.empty() ? std::to_string(resource.id) : resource.name;
      parser.fail_at(at, "resource " + shown + " is defined twice");
    }
  }
  resources.push_back(std::move(resource));
}

}  // namespace

std::vector<CompiledResource> compile_script(const std::string& text, const std::string& file_name,
                                             const FileReader& read_file) {
  Parser parser(text, file_name);
  std::vector<CompiledResource> resources;
  std::map<std::uint16_t, std::string> strings;
  std::uint16_t next_icon_id = kFirstIconId;
  while (!parser.at_end()) {
    Token at = parser.peek();
    if (parser.accept_keyword("STRINGTABLE")) {
      parse_string_table(parser, strings);
      continue;
    }
    if (parser.accept_keyword("LANGUAGE")) {  // one language only: accepted and ignored
      parser.word_value("language");
      parser.expect(',', "after the language");
      parser.word_value("sublanguage");
      continue;
    }
    Parser::Name name = parser.resource_name("a resource name");
    Token type = parser.take();
    if (type.kind != Token::Kind::Name) parser.fail_at(type, "expected a resource type after the name, found " + describe(type));
    std::string keyword = type.text;
    for (char& c : keyword) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (keyword == "MENU") {
      add_unique(resources, parse_menu(parser, name), parser, at);
    } else if (keyword == "DIALOG") {
      add_unique(resources, parse_dialog(parser, name), parser, at);
    } else if (keyword == "ICON") {
      for (CompiledResource& r : parse_icon(parser, name, read_file, next_icon_id)) add_unique(resources, std::move(r), parser, at);
    } else {
      parser.fail_at(type, "unsupported resource type " + type.text);
    }
  }
  for (CompiledResource& block : build_string_blocks(strings)) resources.push_back(std::move(block));
  return resources;
}

FileReader folder_reader(const std::string& folder) {
  return [folder](const std::string& name, std::vector<std::uint8_t>& contents, std::string& reason) {
    std::string path = !name.empty() && name[0] == '/' ? name : folder + "/" + name;
    return read_input_file(path, kMaxInputFileBytes, contents, reason);
  };
}

}  // namespace rc
