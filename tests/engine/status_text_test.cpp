#include "engine/status_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

TEST(StatusText, TimeTextShowsTruncatedHundredths) {
  struct Row {
    std::int64_t nanoseconds;
    const char* text;
  };
  const Row rows[] = {
      {9'000'000, "   0.00 secs\n"},          {9'999'999, "   0.00 secs\n"},
      {10'000'000, "   0.01 secs\n"},         {1'050'000'000, "   1.05 secs\n"},
      {1'239'000'000, "   1.23 secs\n"},      {1'239'999'999, "   1.23 secs\n"},
      {60'005'000'000, "  60.00 secs\n"},     {123'456'000'000, " 123.45 secs\n"},
      {12'345'670'000'000, "12345.67 secs\n"}, {0, "   0.00 secs\n"},
  };
  for (const Row& row : rows) EXPECT_EQ(FormatTimeText(row.nanoseconds), row.text) << row.nanoseconds;
}

TEST(StatusText, StepTextPadsLabelAndTitle) {
  EXPECT_EQ(FormatStepText("DR", "Dhrystone"), "  DR Dhrystone              ");
  EXPECT_EQ(FormatStepText("DR", "Dhrystone").size(), 28u);
  // The disk titles' trailing blanks vanish in the padding: every one fills 22 columns.
  EXPECT_EQ(FormatStepText("I2", "Sequential Read Test "), "  I2 Sequential Read Test   ");
  EXPECT_EQ(FormatStepText("I4", "Random Read Test     "), FormatStepText("I4", "Random Read Test"));
  // A longer title is printed whole, followed by one blank.
  const char* longTitle = "A title well over twenty-two characters";
  EXPECT_EQ(FormatStepText("WD", longTitle), std::string("  WD ") + longTitle + " ");
  EXPECT_EQ(FormatStepText(nullptr, nullptr), std::string(28, ' '));
}

TEST(StatusText, StatusLineIsStepTextThenTimeText) {
  std::string line = FormatStatusLine("DR", "Dhrystone", 1'239'000'000);
  EXPECT_EQ(line, "  DR Dhrystone                 1.23 secs\n");
  EXPECT_EQ(line.size(), 28u + 13u);
  EXPECT_EQ(FormatStatusLine("WD", "Whetstone (double)", 3'000'000), "  WD Whetstone (double)        0.00 secs\n");
}

TEST(StatusText, DiskTotalKeepsTwoDigitHundredths) {
  EXPECT_EQ(FormatDiskTotalText(12'340'000'000), "Total Disk test time 12.34 s");
  EXPECT_EQ(FormatDiskTotalText(12'050'000'000), "Total Disk test time 12.05 s");
  EXPECT_EQ(FormatDiskTotalText(3'079'999'999), "Total Disk test time 3.07 s");
  EXPECT_EQ(FormatDiskTotalText(0), "Total Disk test time 0.00 s");
}

TEST(Rates, WorkedExamplesInNanoseconds) {
  // Dhrystone, one thread, two calls of 1.50 s and 1.52 s: 2 / 3.02 * 200 = 132.45...
  EXPECT_EQ(FormatRateFourDigits(ProcessorRate(2, 1'500'000'000LL + 1'520'000'000LL, 200.0)), "132.5");
  // Whetstone, four workers with a mean of 4.11 s: 4 / 4.11 * 10000 = 9732.36...
  EXPECT_EQ(FormatRateWhole(ProcessorRate(4, 4'110'000'000, 10000.0)), "9732");
  // Disk, 4096 blocks of 4096 bytes moved four times in one pass, 20 s in all:
  // 16777216 / 2000 * 0.4 = 3355.44...
  EXPECT_EQ(FormatRateWhole(DiskRate(4ull * 4096 * 4096, 20'000'000'000)), "3355");
  // Phases far shorter than a microsecond still count with their time.
  EXPECT_EQ(FormatRateWhole(DiskRate(4 * 4096, 300)), "54613333");
  // A call shorter than a hundredth is measured, not read as zero.
  EXPECT_EQ(FormatRateFourDigits(ProcessorRate(1, 3'000'000, 200.0)), "6.667e+04");
  EXPECT_EQ(FormatRateWhole(ProcessorRate(1, 5'000'000, 10000.0)), "2000000");
}

TEST(Rates, NothingMeasuredGivesZero) {
  EXPECT_EQ(FormatRateFourDigits(ProcessorRate(0, 0, 200.0)), "0");
  EXPECT_EQ(FormatRateFourDigits(ProcessorRate(3, 0, 200.0)), "0");
  EXPECT_EQ(FormatRateWhole(ProcessorRate(-2, 1'000, 10000.0)), "0");
  EXPECT_EQ(FormatRateWhole(DiskRate(4096u * 4096u, 0)), "0");
  EXPECT_EQ(FormatRateWhole(DiskRate(0, 1'000'000)), "0");
  EXPECT_EQ(FormatRateFourDigits(1.0 / 0.0), "0");
  EXPECT_EQ(FormatRateWhole(0.0 / 0.0), "0");
}

TEST(Rates, WholeRateSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(FormatRateWhole(1e12), "2147483647");
  EXPECT_EQ(FormatRateWhole(2147483647.9), "2147483647");
  EXPECT_EQ(FormatRateWhole(0.99), "0");
}

// Numbers must read the same whatever locale the process runs under.
TEST(StatusText, IgnoresADecimalCommaLocale) {
  const char* candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "fr_FR"};
  const char* chosen = nullptr;
  for (const char* name : candidates) {
    if (std::setlocale(LC_ALL, name) != nullptr) {
      chosen = name;
      break;
    }
  }
  if (chosen == nullptr) GTEST_SKIP() << "no locale with a decimal comma is installed on this machine";
  EXPECT_EQ(FormatRateFourDigits(ProcessorRate(2, 1'500'000'000LL + 1'520'000'000LL, 200.0)), "132.5");
  EXPECT_EQ(FormatTimeText(1'239'000'000), "   1.23 secs\n");
  EXPECT_EQ(FormatDiskTotalText(3'070'000'000), "Total Disk test time 3.07 s");
  EXPECT_EQ(FormatRateWhole(12345678.9), "12345678");
  std::setlocale(LC_ALL, "C");
}

}  // namespace
