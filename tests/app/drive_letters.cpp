// The platform's drive table, filled anew from TORVEX_DRIVES.
#include "drive_letters.h"

#include <win32_test_kernel.h>

#include <cstdlib>

namespace app_test {

void PointDriveLetters(const std::string& table) {
  setenv("TORVEX_DRIVES", table.c_str(), 1);
  win32_test::reload_drive_table();
}

}  // namespace app_test
