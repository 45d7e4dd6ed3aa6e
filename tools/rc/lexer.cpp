#include "lexer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

#include "script_error.h"

namespace rc {
namespace {

bool is_name_start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool is_name_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

constexpr char kPunctuation[] = ",|+-~(){}";

// CRLF and a lone CR become LF, so every rule below knows one line end. A script saved
// with CR-only endings would otherwise be one long line, its first // comment
// swallowing every resource after it.
std::string with_lf_endings(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      out += text[i];
      continue;
    }
    out += '\n';
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return out;
}

}  // namespace

Lexer::Lexer(std::string text, std::string file_name)
    : text_(with_lf_endings(std::move(text))), file_name_(std::move(file_name)) {}

void Lexer::fail(const std::string& reason) const { throw ScriptError(file_name_, line_, reason); }

Token Lexer::next() {
  for (;;) {
    Token token;
    if (!pending_.empty()) {
      token = pending_.back();
      pending_.pop_back();
      token.line = line_;
    } else {
      expansions_.clear();
      expanded_here_ = 0;
      token = scan();
    }
    if (token.kind != Token::Kind::Name) return token;
    auto define = defines_.find(token.text);
    if (define == defines_.end()) return token;
    expand(token, define->second);
  }
}

// Pushes the body of a defined name, after checking that it is not inside its own
// expansion and that the bounds hold. Every expansion makes at least one token, so the
// token bounds also bound the bookkeeping.
void Lexer::expand(const Token& name, const std::vector<Token>& body) {
  int depth = 1;
  for (int at = name.expansion; at >= 0; at = expansions_[static_cast<std::size_t>(at)].parent, ++depth) {
    if (expansions_[static_cast<std::size_t>(at)].name == name.text)
      fail("#define " + name.text + " expands into itself");
  }
  std::string outer = expansions_.empty() ? name.text : expansions_.front().name;
  if (depth > kMaxExpansionDepth)
    fail("#define " + outer + " nests definitions more than " + std::to_string(kMaxExpansionDepth) + " deep");
  expanded_here_ += body.size();
  expanded_total_ += body.size();
  if (expanded_here_ > kMaxExpandedTokens)
    fail("#define " + outer + " expands into more than " + std::to_string(kMaxExpandedTokens) + " tokens");
  if (expanded_total_ > kMaxScriptExpandedTokens)
    fail("#define names expand into more than " + std::to_string(kMaxScriptExpandedTokens) +
         " tokens in this script");
  expansions_.push_back(Expansion{name.text, name.expansion});
  int index = static_cast<int>(expansions_.size() - 1);
  for (auto token = body.rbegin(); token != body.rend(); ++token) {
    pending_.push_back(*token);
    pending_.back().expansion = index;
  }
}

void Lexer::skip_blanks_and_comments() {
  while (position_ < text_.size()) {
    char c = text_[position_];
    if (c == '\n') {
      ++line_;
      ++position_;
      at_line_start_ = true;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      ++position_;
    } else if (text_.compare(position_, 2, "//") == 0) {
      while (position_ < text_.size() && text_[position_] != '\n') ++position_;
    } else if (text_.compare(position_, 2, "/*") == 0) {
      std::size_t end = text_.find("*/", position_ + 2);
      if (end == std::string::npos) fail("unterminated comment");
      line_ += static_cast<int>(std::count(text_.begin() + position_, text_.begin() + end, '\n'));
      position_ = end + 2;
    } else if (c == '#' && at_line_start_) {
      directive();
    } else {
      return;
    }
  }
}

// Only "#define NAME tokens-to-end-of-line" is understood; anything else would silently
// change the meaning of the script, so it is refused.
void Lexer::directive() {
  std::size_t end = text_.find('\n', position_);
  if (end == std::string::npos) end = text_.size();
  std::string line = text_.substr(position_ + 1, end - position_ - 1);
  std::size_t word_end = line.find_first_of(" \t");
  std::string word = line.substr(0, word_end);
  if (word != "define") fail("unsupported preprocessor directive #" + word);
  std::size_t name_start = line.find_first_not_of(" \t", word_end);
  if (name_start == std::string::npos || !is_name_start(line[name_start])) fail("#define needs a name");
  std::size_t name_end = name_start;
  while (name_end < line.size() && is_name_char(line[name_end])) ++name_end;
  std::string name = line.substr(name_start, name_end - name_start);

  Lexer body(line.substr(name_end), file_name_);
  body.line_ = line_;
  body.at_line_start_ = false;
  std::vector<Token> tokens;
  for (Token t = body.next(); t.kind != Token::Kind::EndOfFile; t = body.next()) tokens.push_back(t);
  for (Token& t : tokens) {
    if (t.kind != Token::Kind::Name) continue;
    auto known = defines_.find(t.text);
    if (known != defines_.end() && known->second.size() == 1) t = known->second.front();
  }
  if (tokens.empty()) fail("#define " + name + " has no value");
  defines_[name] = tokens;
  position_ = end;
}

Token Lexer::scan() {
  skip_blanks_and_comments();
  Token token;
  token.line = line_;
  if (position_ >= text_.size()) return token;
  at_line_start_ = false;
  char c = text_[position_];
  if (std::isdigit(static_cast<unsigned char>(c))) return number();
  if (c == '"') return string();
  if (is_name_start(c)) {
    std::size_t start = position_;
    while (position_ < text_.size() && is_name_char(text_[position_])) ++position_;
    token.kind = Token::Kind::Name;
    token.text = text_.substr(start, position_ - start);
    return token;
  }
  if (std::string_view(kPunctuation).find(c) != std::string_view::npos) {
    ++position_;
    token.kind = Token::Kind::Punctuation;
    token.text = std::string(1, c);
    return token;
  }
  fail(std::string("unexpected character '") + c + "'");
}

Token Lexer::number() {
  Token token;
  token.kind = Token::Kind::Number;
  token.line = line_;
  std::size_t start = position_;
  int base = 10;
  if (text_.compare(position_, 2, "0x") == 0 || text_.compare(position_, 2, "0X") == 0) {
    base = 16;
    position_ += 2;
  }
  std::uint64_t value = 0;
  std::size_t digits_start = position_;
  while (position_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[position_]))) {
    char d = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[position_])));
    int digit = std::isdigit(static_cast<unsigned char>(d)) ? d - '0' : d - 'a' + 10;
    if (digit >= base) fail("bad digit in number " + text_.substr(start, position_ - start + 1));
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFu) fail("number too large");
    ++position_;
  }
  if (position_ == digits_start) fail("number without digits");
  while (position_ < text_.size() && std::strchr("lLuU", text_[position_]) && text_[position_] != '\0') ++position_;
  if (position_ < text_.size() && is_name_char(text_[position_]))
    fail("bad number " + text_.substr(start, position_ - start + 1));
  token.value = static_cast<std::uint32_t>(value);
  token.text = text_.substr(start, position_ - start);
  return token;
}

Token Lexer::string() {
  Token token;
  token.kind = Token::Kind::String;
  token.line = line_;
  ++position_;  // opening quote
  for (;;) {
    if (position_ >= text_.size() || text_[position_] == '\n') fail("unterminated string");
    char c = text_[position_++];
    if (c == '"') {
      if (position_ < text_.size() && text_[position_] == '"') {
        token.text += '"';
        ++position_;
        continue;
      }
      return token;
    }
    if (c != '\\') {
      token.text += c;
      continue;
    }
    if (position_ >= text_.size()) fail("unterminated string");
    char e = text_[position_++];
    switch (e) {
      case 'n': token.text += '\n'; break;
      case 't': token.text += '\t'; break;
      case 'r': token.text += '\r'; break;
      case 'a': token.text += '\a'; break;
      case '\\': token.text += '\\'; break;
      case '"': token.text += '"'; break;
      case '0': token.text += '\0'; break;
      case 'x': {
        int value = 0, digits = 0;
        while (digits < 2 && position_ < text_.size() && std::isxdigit(static_cast<unsigned char>(text_[position_]))) {
          value = value * 16 + std::stoi(std::string(1, text_[position_++]), nullptr, 16);
          ++digits;
        }
        if (digits == 0) fail("\\x needs hexadecimal digits");
        token.text += static_cast<char>(value);
        break;
      }
      default:
        fail(std::string("unknown escape \\") + e + " in string");
    }
  }
}

}  // namespace rc
