// A fault in a resource script: where it is and why. The compiler stops at the first one.
#pragma once

#include <stdexcept>
#include <string>

namespace rc {

class ScriptError : public std::runtime_error {
 public:
  ScriptError(std::string file, int line, const std::string& reason)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + reason), file_(std::move(file)),
        line_(line), reason_(reason) {}

  const std::string& file() const { return file_; }
  int line() const { return line_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string file_;
  int line_;
  std::string reason_;
};

}  // namespace rc
