#include "parser.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <limits>

#include "script_error.h"

namespace rc {

std::string describe(const Token& token) {
  switch (token.kind) {
    case Token::Kind::EndOfFile:
      return "end of file";
    case Token::Kind::String:
      return "\"" + token.text + "\"";
    default:
      return "'" + token.text + "'";
  }
}

Token Parser::take() {
  Token token = current_;
  advance();
  return token;
}

void Parser::fail(const std::string& reason) const { fail_at(current_, reason); }

void Parser::fail_at(const Token& token, const std::string& reason) const {
  throw ScriptError(lexer_.file_name(), token.line, reason);
}

bool Parser::at_keyword(const char* keyword) const {
  return current_.kind == Token::Kind::Name && strcasecmp(current_.text.c_str(), keyword) == 0;
}

bool Parser::accept_keyword(const char* keyword) {
  if (!at_keyword(keyword)) return false;
  advance();
  return true;
}

bool Parser::accept(char punctuation) {
  if (current_.kind != Token::Kind::Punctuation || current_.text[0] != punctuation) return false;
  advance();
  return true;
}

void Parser::expect(char punctuation, const char* where) {
  if (!accept(punctuation))
    fail(std::string("expected '") + punctuation + "' " + where + ", found " + describe(current_));
}

void Parser::expect_begin(const char* where) {
  if (!accept_keyword("BEGIN") && !accept('{')) fail(std::string("expected BEGIN ") + where + ", found " + describe(current_));
}

bool Parser::accept_end() { return accept_keyword("END") || accept('}'); }

std::uint32_t Parser::operand(const char* what) {
  if (accept('-')) return 0u - operand(what);
  if (accept('~')) return ~operand(what);
  if (accept('(')) {
    std::uint32_t value = expression(what);
    expect(')', "to close the expression");
    return value;
  }
  if (current_.kind == Token::Kind::Number) return take().value;
  if (current_.kind == Token::Kind::Name) fail("unknown name '" + current_.text + "' in " + what);
  fail(std::string("expected a number for ") + what + ", found " + describe(current_));
}

std::uint32_t Parser::expression(const char* what) {
  std::uint32_t value = operand(what);
  for (;;) {
    if (accept('|'))
      value |= operand(what);
    else if (accept('+'))
      value += operand(what);
    else if (accept('-'))
      value -= operand(what);
    else
      return value;
  }
}

std::int16_t Parser::short_value(const char* what) {
  Token start = current_;
  auto value = static_cast<std::int32_t>(expression(what));
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
    fail_at(start, std::string(what) + " " + std::to_string(value) + " does not fit in 16 bits");
  return static_cast<std::int16_t>(value);
}

std::uint16_t Parser::id_value(const char* what) {
  Token start = current_;
  std::uint32_t value = expression(what);
  if (value > 0xFFFF && value != 0xFFFFFFFFu) fail_at(start, std::string(what) + " " + std::to_string(value) + " is larger than 65535");
  return static_cast<std::uint16_t>(value & 0xFFFF);
}

std::string Parser::quoted(const char* what) {
  if (current_.kind != Token::Kind::String) fail(std::string("expected a quoted ") + what + ", found " + describe(current_));
  return take().text;
}

Parser::Name Parser::resource_name(const char* what) {
  Token token = take();
  Name name;
  if (token.kind == Token::Kind::Number) {
    if (token.value == 0 || token.value > 0xFFFF) fail_at(token, std::string(what) + " number must be 1..65535");
    name.id = static_cast<std::uint16_t>(token.value);
    return name;
  }
  if (token.kind != Token::Kind::Name && token.kind != Token::Kind::String)
    fail_at(token, std::string("expected ") + what + ", found " + describe(token));
  if (token.text.empty()) fail_at(token, std::string(what) + " is empty");
  name.text = token.text;
  std::transform(name.text.begin(), name.text.end(), name.text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return name;
}

void Parser::skip_memory_options() {
  static constexpr const char* kOptions[] = {"MOVEABLE", "FIXED",   "PURE",        "IMPURE",
                                             "PRELOAD",  "LOADONCALL", "DISCARDABLE", "SHARED", "NONSHARED"};
  for (bool skipped = true; skipped;) {
    skipped = false;
    for (const char* option : kOptions) skipped = skipped || accept_keyword(option);
  }
}

}  // namespace rc
