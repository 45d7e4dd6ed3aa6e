// The command line on a desktop: its run happens on the virtual screen whatever display
// the session has, so a script started from a desktop terminal opens no window and works.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "desktop_program.h"

namespace desktop_test {
namespace {

TEST(DesktopCommandLine, ARunFromADesktopSessionWithoutADisplayChoiceIsHeadless) {
  XSession x;
  ASSERT_TRUE(x.ready()) << x.failure();
  // Nothing chooses the display: the session's DISPLAY alone would pick the desktop.
  unsetenv("TORVEX_DISPLAY");
  const std::string dir = ::testing::TempDir() + "torvex_desktop_cli_" + std::to_string(getpid());
  std::filesystem::create_directories(dir);
  Environment env = x.environment();
  env["TORVEX_DRIVES"] = "a=" + dir + ";b=" + dir + ";c=" + dir;
  int status = -1;
  std::string out = run_tool({TORVEX_PROGRAM_PATH, "--run", "--blocks", "64", "--format", "csv", "--quiet"}, env,
                             std::chrono::minutes(4), &status);
  EXPECT_EQ(status, 0) << out;
  EXPECT_EQ(std::count(out.begin(), out.end(), ','), 6) << "one results line: " << out;
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

}  // namespace
}  // namespace desktop_test
