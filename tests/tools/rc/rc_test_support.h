// Helpers for the resource compiler tests: compiling a script held in a string, finding
// one resource in the result, and building expected byte sequences.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "compiler.h"
#include "script_error.h"

using Bytes = std::vector<std::uint8_t>;

// Files a test script may name, by name.
inline std::vector<rc::CompiledResource> compile(const std::string& script,
                                                 const std::map<std::string, Bytes>& files = {}) {
  return rc::compile_script(script, "test.rc", [&files](const std::string& name, Bytes& contents, std::string& reason) {
    auto found = files.find(name);
    if (found == files.end()) {
      reason = "does not exist";
      return false;
    }
    contents = found->second;
    return true;
  });
}

inline const rc::CompiledResource* find(const std::vector<rc::CompiledResource>& resources, std::uint16_t type,
                                        const std::string& name, std::uint16_t id = 0) {
  for (const auto& r : resources)
    if (r.type == type && r.name == name && r.id == id) return &r;
  return nullptr;
}

class Expected {
 public:
  Expected& word(std::uint16_t w) {
    bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(w >> 8));
    return *this;
  }
  Expected& dword(std::uint32_t d) { return word(static_cast<std::uint16_t>(d & 0xFFFF)).word(static_cast<std::uint16_t>(d >> 16)); }
  Expected& text(const std::string& s) {
    for (char c : s) word(static_cast<unsigned char>(c));
    return word(0);
  }
  Expected& pad_to(std::size_t boundary) {
    while (bytes.size() % boundary) bytes.push_back(0);
    return *this;
  }
  Bytes bytes;
};

// The reason and line of the error a malformed script raises ("" when it compiles).
struct Rejection {
  int line = 0;
  std::string reason;
};
inline Rejection rejection_of(const std::string& script, const std::map<std::string, Bytes>& files = {}) {
  try {
    compile(script, files);
  } catch (const rc::ScriptError& error) {
    EXPECT_EQ(error.file(), "test.rc");
    return Rejection{error.line(), error.reason()};
  }
  return Rejection{};
}

// The rc program beside this test's build folder.
inline std::filesystem::path rc_program() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "tools" / "rc";
}
