// The three output formats, checked as whole texts, and the figures over several runs.
#include "cli/formats.h"

#include <gtest/gtest.h>

#include <clocale>

#include "cli/number_text.h"

namespace {

using namespace cli;

Run MakeRun(const char* dhry, const char* whet, const char* disk) {
  Run run;
  const char* texts[] = {dhry, whet, disk};
  for (int i = 0; i < 3; ++i) {
    run.results[i].text = texts[i];
    run.results[i].rate = ParseRate(texts[i]);
  }
  run.status = {{0.0, "Running Dhrystones"}, {2.5, "Benchmarks complete"}};
  run.seconds = 2.5;
  return run;
}

Report MakeReport(std::vector<Run> runs) {
  Report report;
  report.session.inputs = {1, 1, 4096, 4096, 1, "c:"};
  report.session.runs = std::move(runs);
  report.session.date = "2026-01-02T03:04:05Z";
  report.machine.drive = {"c:", "/data", "ext4", "/dev/sda1", false};
  return report;
}

// Rates of the window's texts and what we print must never take a decimal comma.
class DecimalCommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST(ResultsLine, IsTheWindowProgramsLineWithRepeatBeforeBlocks) {
  Inputs inputs{1, 1, 4096, 4096, 3, "c:"};
  EXPECT_EQ(ResultsLine(inputs, MakeRun("12.5", "7000", "850")), "1,3,4096,c:,12.5,7000,850\r\n");
}

TEST(ResultsLine, CsvHasOneLinePerRun) {
  Report report = MakeReport({MakeRun("12.5", "7000", "850"), MakeRun("13", "7100", "860")});
  EXPECT_EQ(FormatCsv(report), "1,1,4096,c:,12.5,7000,850\r\n1,1,4096,c:,13,7100,860\r\n");
}

TEST(Summary, MedianMinimumAndMaximum) {
  Summary odd = Summarise({3, 1, 2});
  EXPECT_EQ(odd.median, 2);
  EXPECT_EQ(odd.minimum, 1);
  EXPECT_EQ(odd.maximum, 3);
  EXPECT_EQ(Summarise({4, 1, 3, 2}).median, 2.5);
  // Sample standard deviation 1 over the mean 2.
  EXPECT_DOUBLE_EQ(Summarise({1, 2, 3}).cv, 0.5);
  EXPECT_EQ(Summarise({5}).cv, 0);
}

TEST(Summary, FailedRunsDoNotCount) {
  Report report = MakeReport({MakeRun("10", "100", "850"), MakeRun("20", "200", "0"), MakeRun("30", "300", "900")});
  report.session.runs[1].results[2].failure = "Create file: disk full";
  auto disk = SummaryOf(report.session, Benchmark::Disk);
  ASSERT_TRUE(disk);
  EXPECT_EQ(disk->count, 2);
  EXPECT_EQ(disk->median, 875);
  report.session.runs[0].results[2].failure = report.session.runs[2].results[2].failure = "x";
  EXPECT_FALSE(SummaryOf(report.session, Benchmark::Disk));
  EXPECT_TRUE(report.session.anyFailed());
}

TEST(Text, OneRunShowsRatesUnitsAndInputs) {
  EXPECT_EQ(FormatText(MakeReport({MakeRun("1.234e+04", "7000", "850")})),
            "TORVEX NT Benchmarks 0.9.0: threads 1, blocks 4096, repeat 1, drive c: (/data, ext4)\n"
            "Integer (Dhrystone):        1.234e+04 KDhry/s (7023 DMIPS)\n"
            "Floating point (Whetstone): 7000 KWhet/s (7 MWIPS)\n"
            "Disk:                       850 Kbyte/s\n"
            "The disk figure includes the system's file cache.\n");
}

TEST(Text, TheCacheLineSaysWhereTheDiskFigureCameFromAndAMemoryDriveIsNamed) {
  Report report = MakeReport({MakeRun("12.5", "7000", "850")});
  report.cache = cli::CacheMode::Bypassed;
  report.machine.drive.fileSystem = "tmpfs";
  report.machine.drive.inMemory = true;
  std::string text = FormatText(report);
  EXPECT_NE(text.find("\nThe disk figure bypasses the system's file cache.\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("includes the system's file cache"), std::string::npos) << text;
  EXPECT_NE(text.find(", held in memory)\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nDrive c: is held in memory (tmpfs): its figure is not a disk's.\n"), std::string::npos) << text;
  nlohmann::json j = nlohmann::json::parse(FormatJson(report));
  EXPECT_EQ(j["cache"], "bypassed");
  EXPECT_EQ(j["machine"]["drive"]["in_memory"], true);
  EXPECT_EQ(j["machine"]["drive"]["file_system"], "tmpfs");
}

TEST(Text, AFailureShowsItsReason) {
  Report report = MakeReport({MakeRun("12.5", "7000", "0")});
  report.session.runs[0].results[2].failure = "Create file: The system cannot find the drive specified.";
  EXPECT_NE(FormatText(report).find("Disk:                       failed: Create file: The system cannot find"),
            std::string::npos);
}

TEST_F(DecimalCommaLocale, TextOfSeveralRunsAndAComparisonUsesPoints) {
  Report report = MakeReport({MakeRun("12.5", "7000", "850"), MakeRun("13.5", "7100", "860")});
  report.comparison.emplace();
  report.comparison->file = "old.json";
  report.comparison->saved = {SavedFigure{13.0, 0, 1}, SavedFigure{3550.0, 0, 1}, std::nullopt};
  std::string text = FormatText(report);
  EXPECT_NE(text.find("Run 2: 13.5 KDhry/s, 7100 KWhet/s, 860 Kbyte/s\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Integer (Dhrystone):        median 13 KDhry/s (min 12.5, max 13.5, cv 5.4%, 2 runs) (7.399 DMIPS)\n"),
            std::string::npos) << text;
  EXPECT_NE(text.find("Integer (Dhrystone):        13 vs 13 KDhry/s, ratio 1.000: no change (+0.0% is within the "
                      "noise 5.4% here, 3.0% there)\n"),
            std::string::npos) << text;
  EXPECT_NE(text.find("Floating point (Whetstone): 7050 vs 3550 KWhet/s, ratio 1.986: faster (+98.6%, beyond the "
                      "noise 1.0% here, 3.0% there)\n"),
            std::string::npos) << text;
  EXPECT_NE(text.find("Disk:                       no figure to compare\n"), std::string::npos) << text;
}

TEST(Text, AnInterruptedSeriesIsMarkedIncompleteAndSaysWhatWasDiscarded) {
  Report report = MakeReport({MakeRun("12.5", "7000", "850"), MakeRun("13.5", "7100", "860")});
  report.plan = {true, 1, 1};
  report.stopped = StopReason::Interrupted;
  report.warmup.runs = {MakeRun("11", "6900", "40")};
  std::string text = FormatText(report);
  std::string heading = text.substr(0, text.find('\n') + 1);
  EXPECT_EQ(text.substr(heading.size()),
            "INCOMPLETE: stopped by Ctrl+C after 2 of up to 10 measured runs; the figures are those of the completed "
            "runs only.\n"
            "Warm-up: 1 run discarded before measuring (Dhrystone and Whetstone at the inputs above, the disk test "
            "with 1 block): 11 KDhry/s, 6900 KWhet/s, 40 Kbyte/s.\n"
            "Run 1: 12.5 KDhry/s, 7000 KWhet/s, 850 Kbyte/s\n"
            "Run 2: 13.5 KDhry/s, 7100 KWhet/s, 860 Kbyte/s\n"
            "Integer (Dhrystone):        median 13 KDhry/s (min 12.5, max 13.5, cv 5.4%, 2 runs) (7.399 DMIPS)\n"
            "Floating point (Whetstone): median 7050 KWhet/s (min 7000, max 7100, cv 1.0%, 2 runs) (7.05 MWIPS)\n"
            "Disk:                       median 855 Kbyte/s (min 850, max 860, cv 0.8%, 2 runs)\n"
            "Runs: auto (until every cv is below 3%, at most 10), stopped by Ctrl+C after 2 runs.\n"
            "The disk figure includes the system's file cache.\n");
  nlohmann::json j = ToJson(report);
  EXPECT_EQ(j["complete"], false);
  EXPECT_EQ(j["repetition"], nlohmann::json::parse(R"({"runs": "auto", "completed": 2, "stopped": "interrupted",
                                                      "cv_below": 0.03, "run_limit": 10})"));
  EXPECT_EQ(j["warmup"], nlohmann::json::parse(R"({"runs": 1, "disk_blocks": 1,
                                                  "discarded": [{"dhrystone": 11, "whetstone": 6900, "disk": 40}]})"));
  // Stopped before any measured run: no figures, and no summary that pretends to have some.
  report.session.runs.clear();
  text = FormatText(report);
  EXPECT_NE(text.find("INCOMPLETE: stopped by Ctrl+C before the first measured run completed; there are no figures.\n"),
            std::string::npos);
  EXPECT_EQ(text.find("median"), std::string::npos) << text;
  EXPECT_TRUE(ToJson(report)["summary"]["dhrystone"].is_null());
}

TEST(Text, AutoAtItsLimitNamesTheBenchmarksThatDidNotSettle) {
  Report report = MakeReport({MakeRun("10", "7000", "850"), MakeRun("20", "7001", "860"), MakeRun("10", "7000", "850")});
  report.plan = {true, 1, 0};
  report.stopped = StopReason::Limit;
  EXPECT_NE(FormatText(report).find("Runs: auto (until every cv is below 3%, at most 10), stopped at the limit of 3 runs "
                                    "with the cv not below 3%: Integer (Dhrystone) 43.3%.\n"),
            std::string::npos)
      << FormatText(report);
  EXPECT_EQ(ToJson(report)["repetition"]["stopped"], "limit");
}

TEST_F(DecimalCommaLocale, JsonNumbersUsePointsAndReadBack) {
  std::string text = FormatJson(MakeReport({MakeRun("12.5", "7000", "850")}));
  EXPECT_NE(text.find("\"rate\": 12.5"), std::string::npos);
  EXPECT_EQ(ParseRate("12,5"), std::nullopt);
  EXPECT_EQ(ParseRate("12.5"), 12.5);
}

TEST(Json, HoldsInputsEveryRunItsStatusAndTheSummary) {
  Report report = MakeReport({MakeRun("12.5", "7000", "850"), MakeRun("13.5", "7100", "0")});
  report.session.runs[1].results[2].failure = "no rate";
  report.session.warnings = {"threads 64 is above the program's limit; it ran with 63"};
  nlohmann::json j = nlohmann::json::parse(FormatJson(report));
  EXPECT_EQ(j["schema"], 1);
  EXPECT_EQ(j["program"]["name"], "TORVEX NT Benchmarks");
  EXPECT_EQ(j["inputs"]["blocks"], 4096);
  EXPECT_EQ(j["inputs"]["drive"], "c:");
  ASSERT_EQ(j["runs"].size(), 2u);
  EXPECT_EQ(j["runs"][0]["results"]["dhrystone"]["text"], "12.5");
  EXPECT_EQ(j["runs"][0]["results"]["dhrystone"]["unit"], "KDhry/s");
  EXPECT_EQ(j["runs"][1]["results"]["disk"]["failure"], "no rate");
  EXPECT_FALSE(j["runs"][0]["results"]["disk"].contains("failure"));
  EXPECT_EQ(j["runs"][0]["status"][1]["text"], "Benchmarks complete");
  EXPECT_EQ(j["summary"]["dhrystone"]["median"], 13.0);
  EXPECT_EQ(j["summary"]["disk"]["runs"], 1);
  EXPECT_EQ(j["failed"], true);
  EXPECT_EQ(j["warnings"].size(), 1u);
  EXPECT_EQ(j["machine"]["drive"]["file_system"], "ext4");
  EXPECT_FALSE(j.contains("compare"));
  EXPECT_EQ(j["cache"], "system");
  EXPECT_EQ(j["runs"][0]["results"]["whetstone"]["known"]["unit"], "MWIPS");
  EXPECT_EQ(j["runs"][0]["results"]["whetstone"]["known"]["rate"], 7.0);
  EXPECT_FALSE(j["runs"][0]["results"]["disk"].contains("known"));
  EXPECT_GT(j["summary"]["dhrystone"]["cv"].get<double>(), 0);
  EXPECT_TRUE(j["state"].contains("governor"));
}

}  // namespace
