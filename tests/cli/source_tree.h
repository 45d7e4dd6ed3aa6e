// The source tree of the build under test, for tests that hold a checked-in file (README,
// man page, completion) against what the program prints.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>

namespace cli_test {

// The source tree, as the build folder's cache records it; empty when it cannot be read.
inline std::filesystem::path SourceDir() {
  const std::filesystem::path build = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
  std::ifstream cache(build / "CMakeCache.txt");
  std::string line;
  while (std::getline(cache, line))
    if (line.rfind("CMAKE_HOME_DIRECTORY:INTERNAL=", 0) == 0) return line.substr(30);
  return {};
}

}  // namespace cli_test
