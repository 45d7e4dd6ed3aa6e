// A fault in a resource script: where it is and why. The compiler stops at the first one.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace rc {

// Text for a message on a terminal: control bytes and bytes outside ASCII (the script's
// Latin-1, or plain garbage) are shown as \xNN, so a damaged script cannot put escape
// sequences or broken UTF-8 on the person's screen.
std::string printable(std::string_view text);

class ScriptError : public std::runtime_error {
 public:
  ScriptError(std::string file, int line, const std::string& reason)
      : std::runtime_error(printable(file) + ":" + std::to_string(line) + ": " + printable(reason)),
        file_(std::move(file)), line_(line), reason_(printable(reason)) {}

  const std::string& file() const { return file_; }
  int line() const { return line_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string file_;
  int line_;
  std::string reason_;
};

}  // namespace rc
