// rc SCRIPT.rc OUTPUT.cpp: compiles a resource script into a C++ source. A fault in the
// script is reported as file:line: reason with a non-zero exit, and the output is only
// replaced once the whole script has compiled (written beside it, then renamed).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "compiler.h"
#include "cpp_emitter.h"
#include "script_error.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCRIPT.rc OUTPUT.cpp\n", argv[0]);
    return 2;
  }
  const std::filesystem::path script = argv[1];
  const std::filesystem::path output = argv[2];
  std::ifstream in(script, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot read the script\n", script.c_str());
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string source;
  try {
    auto resources = rc::compile_script(text, script.string(), rc::folder_reader(script.parent_path().string()));
    source = rc::emit_cpp(resources, script.filename().string());
  } catch (const rc::ScriptError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
  std::filesystem::path temporary = output;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << source;
    out.close();
    if (!out) {
      std::fprintf(stderr, "%s: cannot write the output\n", temporary.c_str());
      std::filesystem::remove(temporary);
      return 1;
    }
  }
  std::error_code error;
  std::filesystem::rename(temporary, output, error);
  if (error) {
    std::fprintf(stderr, "%s: cannot replace the output: %s\n", output.c_str(), error.message().c_str());
    std::filesystem::remove(temporary);
    return 1;
  }
  return 0;
}
