// Run! with the template defaults, as a person starts it from the menu bar: the status
// line shows every step in order, the wait cursor covers the drivers, the result fields
// fill, the File items come alive and the run is kept.
#include <gtest/gtest.h>
#include <win32_headless.h>

#include <regex>

#include "app/control_ids.h"
#include "app/last_run.h"
#include "program.h"

namespace app_test {
namespace {

constexpr int kRunBarPosition = 1;

// The texts the run gave, as "id:text" lines, for messages on failure.
std::string Describe(const std::vector<TextSet>& sets) {
  std::string all;
  for (const TextSet& set : sets) all += std::to_string(set.id) + ":" + set.text + "|";
  return all;
}

TEST(Run, DefaultRunShowsEveryStepAndFillsTheResults) {
  TestDrives drives(3);
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  headless::clear_beeps();

  program.ClickBar(kRunBarPosition);
  ASSERT_TRUE(program.Idle());
  const std::vector<TextSet> sets = program.TextsSet();
  SCOPED_TRACE(Describe(sets));

  // The status texts in order, with the result fields in between.
  const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const std::regex step(R"(^ *(DR|WD|I[0-5]) .{22} +\d+\.\d\d secs\n$)");
  std::vector<std::string> order;
  for (const TextSet& set : sets) {
    if (set.id == kIdStatus && std::regex_match(set.text, step)) {
      const std::string label = set.text.substr(0, 4);
      if (order.empty() || order.back() != label) order.push_back(label);
      EXPECT_EQ(set.cursor, wait) << set.text;
    } else if (set.id == kIdStatus) {
      order.push_back(set.text.rfind("Total Disk test time ", 0) == 0 ? "Total" : set.text);
    } else {
      order.push_back(std::to_string(set.id));
    }
  }
  const std::vector<std::string> expected = {
      "Running Dhrystones", "  DR", "10004", "Running Whetstones",     "  WD",
      "10005",              "Running Disk Benchmark", "  I0", "  I1",  "  I2",
      "  I3",               "  I4", "  I5", "Total", "10006", "Benchmarks complete"};
  EXPECT_EQ(order, expected);

  // The wait cursor from the first driver on; the arrow again before the pause.
  ASSERT_FALSE(sets.empty());
  EXPECT_EQ(sets.front().cursor, wait);
  EXPECT_EQ(sets.back().text, "Benchmarks complete");
  EXPECT_EQ(sets.back().cursor, arrow);

  // Three numbers in the fields, the last status, no beep.
  const std::regex number(R"(^[0-9][0-9.e+]*$)");
  const std::string dhrystone = program.Text(kIdDhrystoneResult);
  const std::string whetstone = program.Text(kIdWhetstoneResult);
  const std::string disk = program.Text(kIdDiskResult);
  EXPECT_TRUE(std::regex_match(dhrystone, number)) << dhrystone;
  EXPECT_TRUE(std::regex_match(whetstone, number)) << whetstone;
  EXPECT_TRUE(std::regex_match(disk, number)) << disk;
  // Each figure is whole in its field: a cut-off last figure would read as another number.
  for (int id : {kIdDhrystoneResult, kIdWhetstoneResult, kIdDiskResult}) {
    const HWND field = program.Item(id);
    const std::string text = program.Text(field);
    SIZE extent{};
    HDC dc = GetDC(field);
    EXPECT_TRUE(GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent));
    ReleaseDC(field, dc);
    RECT client{};
    GetClientRect(field, &client);
    EXPECT_LE(extent.cx, client.right) << text;
  }
  EXPECT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  EXPECT_TRUE(headless::beeps().empty());
  std::printf("default run: %s KDhry/s, %s KWhet/s, %s Kbyte/s\n", dhrystone.c_str(),
              whetstone.c_str(), disk.c_str());

  // The File items are enabled; the scratch file is gone.
  EXPECT_EQ(FileItemState(program.Frame(), 4000), 0u);
  EXPECT_EQ(FileItemState(program.Frame(), 4001), 0u);
  EXPECT_EQ(FileItemState(program.Frame(), 4002), 0u);
  EXPECT_TRUE(drives.Files().empty());
  EXPECT_TRUE(headless::screenshot_window(program.Frame(), ShotPath("torvex_main_after_run.png").c_str()));

  program.ClickPopupItem(0, 6);  // File, Exit
  EXPECT_EQ(program.Join(), 1);

  // The kept run matches what the fields showed, and its results line says the same.
  EXPECT_EQ(LastRun.threadCount, 1);
  EXPECT_EQ(LastRun.blockCount, 4096);
  EXPECT_EQ(LastRun.repeatCount, 1);
  EXPECT_STREQ(LastRun.driveSpec, "c:");
  EXPECT_STREQ(LastRun.dhrystone, dhrystone.c_str());
  EXPECT_STREQ(LastRun.whetstone, whetstone.c_str());
  EXPECT_STREQ(LastRun.disk, disk.c_str());
  char line[kResultsLineSize];
  FormatResultsLine(LastRun, line);
  EXPECT_EQ(std::string(line), "1,1,4096,c:," + dhrystone + "," + whetstone + "," + disk + "\r\n");
}

}  // namespace
}  // namespace app_test
