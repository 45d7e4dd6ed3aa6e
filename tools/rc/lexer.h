// Tokens of a resource script: names, numbers (decimal or 0x hex, optional L/U suffix),
// quoted strings ("" for a quote, C escapes), punctuation. Comments (// and /* */) are
// skipped; "#define NAME tokens" defines a name that expands to its tokens.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace rc {

struct Token {
  enum class Kind { Name, Number, String, Punctuation, EndOfFile };
  Kind kind = Kind::EndOfFile;
  std::string text;         // the name, the decoded string, or the punctuation character
  std::uint32_t value = 0;  // numbers only
  int line = 0;
};

class Lexer {
 public:
  Lexer(std::string text, std::string file_name);

  // The next token, with defined names expanded. Throws ScriptError on bad input.
  Token next();
  const std::string& file_name() const { return file_name_; }
  int line() const { return line_; }

 private:
  Token scan();
  void skip_blanks_and_comments();
  void directive();
  Token number();
  Token string();
  [[noreturn]] void fail(const std::string& reason) const;

  std::string text_;
  std::string file_name_;
  std::size_t position_ = 0;
  int line_ = 1;
  bool at_line_start_ = true;
  std::map<std::string, std::vector<Token>> defines_;
  std::vector<Token> pending_;  // expansion of a defined name, in reverse order
};

}  // namespace rc
