// Reading the files rc is given or a script names. Only regular files are read, and only
// up to a size limit: a script naming a folder, a device (/dev/zero never ends) or a huge
// file gets a clear reason instead of an exception or an exhausted memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rc {

// Larger than any script or icon file we will ever write, small enough to hold in memory.
constexpr std::size_t kMaxInputFileBytes = 16 * 1024 * 1024;

// Reads the whole file. On failure returns false and sets `reason` to the end of a
// sentence starting with the file's name ("is a directory", "does not exist", ...).
bool read_input_file(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& contents,
                     std::string& reason);

}  // namespace rc
