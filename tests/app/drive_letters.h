// Where the program's drive letters lead. On the platform a test points them at folders
// of its own; a real system keeps its drives, and the tests that need the letters to lead
// to those folders are left out of its build.
#pragma once

#include <string>

namespace app_test {

// `table` is "a=folder;b=folder;...", the letters a TestDrives made.
void PointDriveLetters(const std::string& table);

}  // namespace app_test
