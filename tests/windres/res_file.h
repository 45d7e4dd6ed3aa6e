// Reads a 32-bit resource file (.res), the form `windres -O res` writes: a sequence of
// entries, each a header (sizes, type, name, flags, language) and the resource's bytes,
// both padded to four bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace windres_test {

struct ResEntry {
  std::uint16_t type = 0;  // numbered types only; named types are skipped
  std::string name;        // upper case; empty when the resource is numbered
  std::uint16_t id = 0;    // the number when name is empty
  std::vector<std::uint8_t> data;
};

// The entries of a .res file's bytes, the leading empty entry left out; nothing when the
// bytes are not a well-formed resource file.
std::optional<std::vector<ResEntry>> read_res(const std::vector<std::uint8_t>& bytes);

}  // namespace windres_test
