// Built for the host against our win32.h: writes its layouts as C++ initialisers, which the
// Windows build compiles into header_layouts.exe to compare with <windows.h>'s.
#include <cstdio>

#include "layout_rows.h"

int main() {
  for (const layouts::Row& row : layouts::kRows) {
    std::printf("{\"%s\", \"%s\", %zu, %zu, %s},\n", row.type, row.member, row.offset, row.size,
                row.isSigned ? "true" : "false");
  }
  return 0;
}
