// rc SCRIPT.rc OUTPUT.cpp: compiles a resource script into a C++ source. A fault in the
// script is reported as file:line: reason with a non-zero exit, and the output is only
// replaced once the whole script has compiled (written beside it, then renamed).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

#include "compiler.h"
#include "cpp_emitter.h"
#include "input_file.h"
#include "script_error.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCRIPT.rc OUTPUT.cpp\n", argv[0]);
    return 2;
  }
  const std::filesystem::path script = argv[1];
  const std::filesystem::path output = argv[2];
  const std::string shown = rc::printable(script.string());
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!rc::read_input_file(script.string(), rc::kMaxInputFileBytes, bytes, reason)) {
    std::fprintf(stderr, "%s: the script %s\n", shown.c_str(), reason.c_str());
    return 1;
  }
  std::string text(bytes.begin(), bytes.end());
  std::string source;
  try {
    auto resources = rc::compile_script(text, script.string(), rc::folder_reader(script.parent_path().string()));
    source = rc::emit_cpp(resources, script.filename().string());
  } catch (const rc::ScriptError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory while compiling\n", shown.c_str());
    return 1;
  } catch (const std::exception& error) {
    // Not expected: every fault in a script is a ScriptError. Still a message, not an abort.
    std::fprintf(stderr, "%s: internal error: %s\n", shown.c_str(), rc::printable(error.what()).c_str());
    return 1;
  }
  std::filesystem::path temporary = output;
  temporary += ".tmp";
  std::error_code error;
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << source;
    out.close();
    if (!out) {
      std::fprintf(stderr, "%s: cannot write the output\n", rc::printable(temporary.string()).c_str());
      std::filesystem::remove(temporary, error);
      return 1;
    }
  }
  std::filesystem::rename(temporary, output, error);
  if (error) {
    std::fprintf(stderr, "%s: cannot replace the output: %s\n", rc::printable(output.string()).c_str(),
                 error.message().c_str());
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return 1;
  }
  return 0;
}
