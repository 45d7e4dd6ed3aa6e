#include "parser.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <limits>

#include "script_error.h"

namespace rc {

std::string describe(const Token& token) {
  // A message shows the start of a long token: enough to find it, not a page of text.
  constexpr std::size_t kShownCharacters = 40;
  std::string text = token.text.size() > kShownCharacters ? token.text.substr(0, kShownCharacters) + "..." : token.text;
  switch (token.kind) {
    case Token::Kind::EndOfFile:
      return "end of file";
    case Token::Kind::String:
      return "\"" + text + "\"";
    default:
      return "'" + text + "'";
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

namespace {

// Far beyond every field, far below where 64-bit arithmetic could overflow: a value
// that grows past it is refused at once.
constexpr std::int64_t kLargestIntermediate = std::int64_t{1} << 40;

// Counts one level of expression nesting for as long as it lives.
class NestingGuard {
 public:
  explicit NestingGuard(int& depth) : depth_(depth) { ++depth_; }
  ~NestingGuard() { --depth_; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

std::int64_t Parser::operand(const char* what) {
  NestingGuard nesting(expression_depth_);
  if (expression_depth_ > kMaxExpressionNesting)
    fail(std::string(what) + " is nested more than " + std::to_string(kMaxExpressionNesting) +
         " levels deep (parentheses, - and ~)");
  if (accept('-')) return -operand(what);
  // Bitwise NOT of the 32-bit value; the result stays within what a DWORD field accepts.
  if (accept('~')) return ~operand(what);
  if (accept('(')) {
    std::int64_t value = expression(what);
    expect(')', "to close the expression");
    return value;
  }
  if (current_.kind == Token::Kind::Number) return take().value;
  if (current_.kind == Token::Kind::Name) fail("unknown name '" + current_.text + "' in " + what);
  fail(std::string("expected a number for ") + what + ", found " + describe(current_));
}

std::int64_t Parser::expression(const char* what) {
  std::int64_t value = operand(what);
  for (;;) {
    if (accept('|'))
      value |= operand(what);
    else if (accept('+'))
      value += operand(what);
    else if (accept('-'))
      value -= operand(what);
    else
      return value;
    if (value > kLargestIntermediate || value < -kLargestIntermediate) fail(std::string(what) + " is far too large");
  }
}

std::int64_t Parser::ranged(const char* what, std::int64_t low, std::int64_t high, const char* range) {
  Token start = current_;
  std::int64_t value = expression(what);
  if (value < low || value > high)
    fail_at(start, std::string(what) + " " + std::to_string(value) + " does not fit " + range);
  return value;
}

std::uint32_t Parser::dword_value(const char* what) {
  constexpr std::int64_t kDwordMax = 0xFFFFFFFF;
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ranged(what, -kDwordMax, kDwordMax, "in 32 bits")));
}

std::int16_t Parser::short_value(const char* what) {
  return static_cast<std::int16_t>(ranged(what, std::numeric_limits<std::int16_t>::min(),
                                          std::numeric_limits<std::int16_t>::max(), "in 16 bits (-32768..32767)"));
}

std::uint16_t Parser::id_value(const char* what) {
  return static_cast<std::uint16_t>(static_cast<std::uint64_t>(ranged(what, -1, 0xFFFF, "an id (-1..65535)")) & 0xFFFF);
}

std::uint16_t Parser::word_value(const char* what) {
  return static_cast<std::uint16_t>(ranged(what, 0, 0xFFFF, "in 16 bits (0..65535)"));
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
