// Our win32.h's struct layouts and type sizes against the real <windows.h>: the host's
// figures (host_layouts.inc, written by print_layouts built against our header) beside the
// same rows computed here. Every size, member offset and signedness must agree, since
// code above the platform hands these structs to the system as they are.
#include <cstdio>
#include <cstring>

#include "layout_rows.h"

namespace {

constexpr layouts::Row kOurs[] = {
#include "host_layouts.inc"
};

const char* Name(const layouts::Row& row, char* buffer, std::size_t size) {
  std::snprintf(buffer, size, "%s%s%s", row.type, row.member[0] != '\0' ? "." : "", row.member);
  return buffer;
}

}  // namespace

int main() {
  constexpr std::size_t kCount = sizeof kOurs / sizeof kOurs[0];
  static_assert(kCount == sizeof layouts::kRows / sizeof layouts::kRows[0], "both lists come from one file");
  int differing = 0;
  for (std::size_t i = 0; i < kCount; ++i) {
    const layouts::Row& ours = kOurs[i];
    const layouts::Row& real = layouts::kRows[i];
    char name[128];
    Name(real, name, sizeof name);
    if (std::strcmp(ours.type, real.type) != 0 || std::strcmp(ours.member, real.member) != 0) {
      std::printf("FAILED: row %zu is %s here but another name on the host\n", i, name);
      return 1;
    }
    if (ours.offset != real.offset || ours.size != real.size || ours.isSigned != real.isSigned) {
      std::printf("FAILED: %s: <windows.h> offset %zu size %zu %s, ours offset %zu size %zu %s\n", name, real.offset,
                  real.size, real.isSigned ? "signed" : "unsigned", ours.offset, ours.size,
                  ours.isSigned ? "signed" : "unsigned");
      ++differing;
    }
  }
  std::printf("%zu layouts compared, %d differ\n", kCount, differing);
  return differing == 0 ? 0 : 1;
}
