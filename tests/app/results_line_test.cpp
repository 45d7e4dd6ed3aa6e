// The results line of a kept run, written with SaveResults at a file's position; the
// same under a locale whose decimal separator is a comma, where a whole run's result
// texts keep their points too.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/control_ids.h"
#include "app/last_run.h"
#include "program.h"

namespace app_test {
namespace {

BenchRunRecord Example() {
  BenchRunRecord run;
  run.threadCount = 1;
  run.repeatCount = 1;
  run.blockCount = 4096;
  std::snprintf(run.driveSpec, sizeof run.driveSpec, "c:");
  run.dhrystone = "12.5";
  run.whetstone = "7000";
  run.disk = "850";
  return run;
}

std::string Line(const BenchRunRecord& run) {
  char line[kResultsLineSize];
  const int length = FormatResultsLine(run, line);
  EXPECT_EQ(length, static_cast<int>(std::strlen(line)));
  return line;
}

// Sets a decimal-comma locale for the scope; skips when none is installed.
class CommaLocale {
 public:
  CommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) {
        active_ = true;
        break;
      }
    }
  }
  ~CommaLocale() { std::setlocale(LC_ALL, "C"); }
  bool Active() const { return active_ && std::localeconv()->decimal_point[0] == ','; }

 private:
  bool active_ = false;
};

TEST(ResultsLine, ExamplesAndEmptyRun) {
  EXPECT_EQ(Line(Example()), "1,1,4096,c:,12.5,7000,850\r\n");
  // Before any run: three zeros and four empty fields.
  EXPECT_EQ(Line(BenchRunRecord{}), "0,0,0,,,,\r\n");
  // Repeat comes before blocks.
  BenchRunRecord run = Example();
  run.repeatCount = 3;
  run.blockCount = 16;
  run.threadCount = 63;
  EXPECT_EQ(Line(run), "63,3,16,c:,12.5,7000,850\r\n");
}

TEST(ResultsLine, LongestTextsAreCutToTheBuffer) {
  BenchRunRecord run = Example();
  run.threadCount = -2147483647 - 1;
  const std::string longText(80, '9');
  run.disk = longText.c_str();
  const std::string line = Line(run);
  EXPECT_EQ(line.size(), static_cast<size_t>(kResultsLineSize - 1));
  EXPECT_EQ(line.rfind("-2147483648,1,4096,c:,12.5,7000,999", 0), 0u);
}

TEST(ResultsLine, SameUnderADecimalCommaLocale) {
  CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no decimal-comma locale installed";
  EXPECT_EQ(Line(Example()), "1,1,4096,c:,12.5,7000,850\r\n");
}

TEST(SaveResults, WritesTheLineAtTheFilesPositionEachTime) {
  TestDrives drives;
  LastRun = Example();
  HANDLE file = CreateFileA("c:\\results.dat", GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, "head\r\n", 6, &written, nullptr));
  SaveResults(file);
  SaveResults(file);
  CloseHandle(file);
  LastRun = BenchRunRecord{};

  std::ifstream in(drives.Directory('c') + "/results.dat", std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  EXPECT_EQ(content.str(), "head\r\n1,1,4096,c:,12.5,7000,850\r\n1,1,4096,c:,12.5,7000,850\r\n");
  // Nothing else was written anywhere in the table.
  EXPECT_EQ(drives.Files().size(), 1u);
  // The default path stays as it was.
  EXPECT_STREQ(CurrentFile, "C:\\QUIRVEL.DAT");
}

// A whole run under the comma locale: the result texts, the status lines and the kept
// line use points, never commas.
TEST(ResultsLine, RunUnderADecimalCommaLocaleKeepsItsPoints) {
  CommaLocale comma;
  if (!comma.Active()) GTEST_SKIP() << "no decimal-comma locale installed";
  TestDrives drives;
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  program.TypeInto(kIdBlocks, "16");
  program.ClickBar(1);
  ASSERT_TRUE(program.Idle());
  for (int id : {kIdDhrystoneResult, kIdWhetstoneResult, kIdDiskResult}) {
    EXPECT_EQ(program.Text(id).find(','), std::string::npos) << program.Text(id);
  }
  for (const TextSet& set : program.TextsSet()) {
    if (set.text.find("secs") != std::string::npos) {
      EXPECT_NE(set.text.find('.'), std::string::npos) << set.text;
    }
    EXPECT_EQ(set.text.find(','), std::string::npos) << set.text;
  }
  program.ClickPopupItem(0, 6);
  EXPECT_EQ(program.Join(), 1);
  const std::string line = Line(LastRun);
  EXPECT_EQ(std::count(line.begin(), line.end(), ','), 6) << line;
}

}  // namespace
}  // namespace app_test
