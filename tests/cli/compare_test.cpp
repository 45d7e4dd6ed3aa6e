// --compare reads back exactly what --format json wrote, refuses anything else, counts a
// change only beyond both results' noise and names how the two were made differently.
#include "cli/compare.h"

#include <gtest/gtest.h>

#include "cli/formats.h"

namespace {

using namespace cli;

Report SavedReport() {
  Report report;
  report.session.inputs = {1, 1, 64, 64, 1, "c:"};
  for (const char* dhry : {"100", "300", "200"}) {
    Run run;
    run.results[0] = {dhry, std::stod(dhry), ""};
    run.results[1] = {"7000", 7000.0, ""};
    run.results[2] = {"0", 0.0, "Create file: no space"};
    report.session.runs.push_back(run);
  }
  return report;
}

TEST(Compare, ReadsTheMediansOfASavedResult) {
  Comparison c;
  ASSERT_EQ(ParseComparison("saved.json", FormatJson(SavedReport()), c), "");
  EXPECT_EQ(c.file, "saved.json");
  ASSERT_TRUE(c.saved[0] && c.saved[1]);
  EXPECT_EQ(c.saved[0]->median, 200.0);
  EXPECT_DOUBLE_EQ(c.saved[0]->cv, 0.5);
  EXPECT_EQ(c.saved[0]->runs, 3);
  EXPECT_EQ(c.saved[1]->median, 7000.0);
  EXPECT_FALSE(c.saved[2]);  // failed in every run there: nothing to compare with
  EXPECT_EQ(c.context["inputs.blocks"], 64);
  EXPECT_EQ(c.context["program.version"], ToJson(SavedReport())["program"]["version"]);
}

TEST(Compare, RefusesWhatIsNotASavedResultAndKeepsItsOutput) {
  nlohmann::json good = ToJson(SavedReport());
  auto edited = [&good](auto change) {
    nlohmann::json j = good;
    change(j);
    return j.dump();
  };
  struct Case {
    std::string text;
    const char* why;
  } cases[] = {
      {"1,1,4096,c:,12.5,7000,850\r\n", "not JSON"},
      {"[1, 2]", "no schema or program"},
      {edited([](auto& j) { j["schema"] = 2; }), "schema 2, this program reads 1"},
      {edited([](auto& j) { j["program"]["name"] = "other"; }), "another program's"},
      {edited([](auto& j) { j.erase("summary"); }), "no summary"},
      {edited([](auto& j) { j["summary"]["whetstone"]["median"] = "fast"; }), "no median for whetstone"},
      {edited([](auto& j) { j["summary"]["whetstone"]["cv"] = -1; }), "a bad cv for whetstone"},
  };
  for (const Case& c : cases) {
    Comparison kept;
    kept.file = "untouched";
    EXPECT_EQ(ParseComparison("f.json", c.text, kept), std::string("--compare f.json: not a saved result (") + c.why + ")");
    EXPECT_EQ(kept.file, "untouched");
  }
}

TEST(Compare, AMissingFileIsNamedWithTheSystemsReason) {
  Comparison c;
  EXPECT_EQ(LoadComparison("/nonexistent/torvex.json", c), "--compare /nonexistent/torvex.json: No such file or directory");
}

// This run: `count` runs (one, or an even count) at the rates given, in turn `spread`
// below and above them; the disk test failed in each.
Report ThisRun(int count, double dhry, double whet, double spread) {
  Report report;
  report.session.inputs = {1, 1, 64, 64, 1, "c:"};
  for (int i = 0; i < count; ++i) {
    double factor = count == 1 ? 1 : (i % 2 ? 1 + spread : 1 - spread);
    Run run;
    run.results[0] = {"", dhry * factor, ""};
    run.results[1] = {"", whet * factor, ""};
    run.results[2] = {"0", 0.0, "Create file: no space"};
    report.session.runs.push_back(run);
  }
  return report;
}

// The saved result as --format json writes it, then edited as a person would.
Comparison Saved(const Report& saved, double medianFactor = 1) {
  nlohmann::json j = ToJson(saved);
  for (const char* key : {"dhrystone", "whetstone"}) j["summary"][key]["median"] = j["summary"][key]["median"].get<double>() * medianFactor;
  Comparison c;
  EXPECT_EQ(ParseComparison("saved.json", j.dump(), c), "");
  return c;
}

TEST(Compare, ADifferenceInsideEitherResultsNoiseIsNoChange) {
  // Both with a 5% spread: 4% apart is noise, 30% is a change.
  Report now = ThisRun(4, 1000, 2000, 0.05);
  now.comparison = Saved(ThisRun(4, 1040, 2000, 0.05));
  std::optional<Judgement> j = Judge(now, Benchmark::Dhrystone);
  ASSERT_TRUE(j);
  EXPECT_NEAR(j->noiseNow, 0.0577, 1e-3);  // four runs, two 5% under and two over
  EXPECT_NEAR(j->noiseSaved, 0.0577, 1e-3);
  EXPECT_EQ(j->change, Change::None);
  EXPECT_FALSE(Judge(now, Benchmark::Disk));  // failed on both sides: nothing to weigh

  now.comparison = Saved(ThisRun(4, 1000, 2000, 0.05), 1.3);
  EXPECT_EQ(Judge(now, Benchmark::Dhrystone)->change, Change::Slower);
  EXPECT_NEAR(Judge(now, Benchmark::Dhrystone)->ratio, 1 / 1.3, 1e-12);
  now.comparison = Saved(ThisRun(4, 1000, 2000, 0.05), 0.7);
  EXPECT_EQ(Judge(now, Benchmark::Whetstone)->change, Change::Faster);
}

TEST(Compare, TheNoisierResultDecidesAndASingleRunCountsThreePercent) {
  // 10% apart: beyond this run's 3% (one run) but inside the saved result's 20%.
  Report now = ThisRun(1, 1000, 1000, 0);
  now.comparison = Saved(ThisRun(4, 1100, 1000, 0.2));
  EXPECT_EQ(Judge(now, Benchmark::Dhrystone)->noiseNow, kSingleRunNoise);
  EXPECT_EQ(Judge(now, Benchmark::Dhrystone)->change, Change::None);
  // Single runs on both sides: 4% is a change, 2% is not.
  now.comparison = Saved(ThisRun(1, 1040, 980, 0));
  EXPECT_EQ(Judge(now, Benchmark::Dhrystone)->change, Change::Slower);
  EXPECT_EQ(Judge(now, Benchmark::Whetstone)->change, Change::None);
  // A file that states no spread is taken as a single run.
  nlohmann::json old = ToJson(ThisRun(4, 1000, 1000, 0.2));
  old["summary"]["dhrystone"].erase("cv");
  Comparison c;
  ASSERT_EQ(ParseComparison("old.json", old.dump(), c), "");
  EXPECT_EQ(c.saved[0]->runs, 1);
  EXPECT_EQ(NoiseOf(c.saved[0]->runs, c.saved[0]->cv), kSingleRunNoise);
}

TEST(Compare, FailBelowCountsOnlySlowdownsBeyondItsPercentAndTheNoise) {
  Report now = ThisRun(1, 1000, 1000, 0);
  now.comparison = Saved(ThisRun(1, 1000, 1000, 0), 1.3);  // this run is 23% slower
  EXPECT_EQ(RegressedBelow(now), std::vector<Benchmark>{});  // no --fail-below
  now.comparison->failBelow = 20;
  EXPECT_EQ(RegressedBelow(now), (std::vector<Benchmark>{Benchmark::Dhrystone, Benchmark::Whetstone}));
  now.comparison->failBelow = 25;
  EXPECT_EQ(RegressedBelow(now), std::vector<Benchmark>{});
  // Beyond the percent but inside the saved result's noise of 40%: not a regression.
  now.comparison = Saved(ThisRun(4, 1000, 1000, 0.35), 1.3);
  now.comparison->failBelow = 5;
  EXPECT_GT(Judge(now, Benchmark::Dhrystone)->noiseSaved, 0.3);
  EXPECT_EQ(RegressedBelow(now), std::vector<Benchmark>{});
  // Faster is never a regression.
  now.comparison = Saved(ThisRun(1, 1000, 1000, 0), 0.5);
  now.comparison->failBelow = 0;
  EXPECT_EQ(RegressedBelow(now), std::vector<Benchmark>{});
}

TEST(Compare, DifferencesInHowTheResultsWereMadeAreNamedOneLinePerKind) {
  Report base = ThisRun(1, 1000, 1000, 0);
  base.machine.cpu = "Model A";
  base.machine.logicalCores = 2;
  nlohmann::json saved = ToJson(base);
  Comparison same = Saved(base);
  EXPECT_EQ(Differences(same.context, ToJson(base)), std::vector<std::string>{});

  saved["program"]["version"] = "0.8.0";
  saved["inputs"]["threads"] = 4;
  saved["inputs"]["drive"] = "d:";
  saved["cache"] = "bypassed";
  saved["machine"]["cpu"] = "Model B";
  saved["machine"]["logical_cores"] = 8;
  saved["state"]["load_average"] = 9.5;  // the state at start is no difference in making
  Comparison c;
  ASSERT_EQ(ParseComparison("saved.json", saved.dump(), c), "");
  std::string version = ToJson(base)["program"]["version"];
  EXPECT_EQ(Differences(c.context, ToJson(base)),
            (std::vector<std::string>{
                "the saved result is of another program version (version 0.8.0 there, " + version + " here)",
                "the saved result ran with other inputs (threads 4 there, 1 here; drive d: there, c: here)",
                "the saved result measured the disk in another cache mode (cache bypassed there, system here)",
                "the saved result comes from another machine or system (cpu Model B there, Model A here; "
                "logical_cores 8 there, 2 here)"}));
  // An older file that does not say is no difference.
  saved.erase("cache");
  saved["machine"].erase("cpu");
  ASSERT_EQ(ParseComparison("saved.json", saved.dump(), c), "");
  EXPECT_EQ(Differences(c.context, ToJson(base)).size(), 3u);
}

}  // namespace
