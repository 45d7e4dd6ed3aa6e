// --compare reads back exactly what --format json wrote, and refuses anything else.
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
  EXPECT_EQ(c.saved[0], 200.0);
  EXPECT_EQ(c.saved[1], 7000.0);
  EXPECT_FALSE(c.saved[2]);  // failed in every run there: nothing to compare with
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

}  // namespace
