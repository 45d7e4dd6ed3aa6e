// Tokens of a resource script: names, numbers (decimal or 0x hex, optional L/U suffix),
// quoted strings ("" for a quote, C escapes), punctuation. Comments (// and /* */) are
// skipped; "#define NAME tokens" defines a name that expands to its tokens. Lines may end
// in LF, CRLF or a lone CR.
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
  int expansion = -1;  // the expansion this token came from (an index into the lexer's), or -1
};

// Bounds on #define expansion, so that a chain of doubling definitions or a long nesting
// fails with its real cause instead of running for minutes.
constexpr int kMaxExpansionDepth = 32;           // definitions inside definitions
constexpr std::size_t kMaxExpandedTokens = 4096;  // tokens one use of a name may become
constexpr std::size_t kMaxScriptExpandedTokens = 1 << 20;  // all uses in one script together

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
  void expand(const Token& name, const std::vector<Token>& body);

  // One expansion of a defined name, and the expansion its name token came from.
  struct Expansion {
    std::string name;
    int parent = -1;
  };

  std::string text_;
  std::string file_name_;
  std::size_t position_ = 0;
  int line_ = 1;
  bool at_line_start_ = true;
  std::map<std::string, std::vector<Token>> defines_;
  std::vector<Token> pending_;  // expansion of a defined name, in reverse order
  std::vector<Expansion> expansions_;  // of the tokens now pending; cleared when none are
  std::size_t expanded_here_ = 0;      // tokens the current top-level use has become
  std::size_t expanded_total_ = 0;     // tokens every use so far has become
};

}  // namespace rc
