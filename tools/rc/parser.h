// Token-level reading shared by the statement parsers: one token of look-ahead, keyword
// tests without regard to case, numeric expressions and resource names.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "compiler.h"
#include "lexer.h"

namespace rc {

class Parser {
 public:
  Parser(const std::string& text, const std::string& file_name) : lexer_(text, file_name) { advance(); }

  const Token& peek() const { return current_; }
  Token take();
  bool at_end() const { return current_.kind == Token::Kind::EndOfFile; }

  bool at_keyword(const char* keyword) const;
  bool accept_keyword(const char* keyword);
  bool accept(char punctuation);
  void expect(char punctuation, const char* where);
  // BEGIN or '{'; END or '}'.
  void expect_begin(const char* where);
  bool accept_end();

  // expression := ['-'|'~'] operand (('|'|'+'|'-') ['-'|'~'] operand)*, operand a number,
  // a defined name or a parenthesised expression. The value is kept wider than any field
  // so that a field can tell 4294967295 from -1; each caller then checks it fits.
  // A 32-bit field: anything from -4294967295 to 4294967295, taken modulo 2^32 (so ~0,
  // -1 and 0xFFFFFFFF are all the same style bits).
  std::uint32_t dword_value(const char* what);
  // A signed 16-bit field (coordinates, sizes): -32768..32767.
  std::int16_t short_value(const char* what);
  // A control or menu id: 0..65535, or -1 (0xFFFF) for "no id".
  std::uint16_t id_value(const char* what);
  // An unsigned 16-bit field (a string id, a point size): 0..65535.
  std::uint16_t word_value(const char* what);
  std::string quoted(const char* what);

  // A resource name: a word (upper-cased, as the loader compares without case), a
  // quoted text, or a number 1..65535.
  struct Name {
    std::string text;
    std::uint16_t id = 0;
  };
  Name resource_name(const char* what);

  // Skips the obsolete memory options (MOVEABLE, PURE, DISCARDABLE, ...).
  void skip_memory_options();

  [[noreturn]] void fail(const std::string& reason) const;
  [[noreturn]] void fail_at(const Token& token, const std::string& reason) const;
  const std::string& file_name() const { return lexer_.file_name(); }

 private:
  void advance() { current_ = lexer_.next(); }
  std::int64_t expression(const char* what);
  std::int64_t operand(const char* what);
  std::int64_t ranged(const char* what, std::int64_t low, std::int64_t high, const char* range);

  Lexer lexer_;
  Token current_;
  int expression_depth_ = 0;
};

// How deep parentheses and prefix operators may nest in one expression, and pop-ups in
// one menu. Deeper input is refused with its line rather than recursing until the stack
// runs out. The menu bound matches what the platform's menu reader accepts.
constexpr int kMaxExpressionNesting = 64;
constexpr int kMaxPopupNesting = 16;

std::string describe(const Token& token);

// The statement parsers, each called with the resource's name already read.
CompiledResource parse_menu(Parser& parser, const Parser::Name& name);
CompiledResource parse_dialog(Parser& parser, const Parser::Name& name);
// STRINGTABLE: adds the script's strings to the table kept across statements.
void parse_string_table(Parser& parser, std::map<std::uint16_t, std::string>& strings);
std::vector<CompiledResource> build_string_blocks(const std::map<std::uint16_t, std::string>& strings);
// ICON "file": the group and one RT_ICON per image, numbered from next_icon_id on.
std::vector<CompiledResource> parse_icon(Parser& parser, const Parser::Name& name, const FileReader& read_file,
                                         std::uint16_t& next_icon_id);

}  // namespace rc
