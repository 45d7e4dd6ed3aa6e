// torvex --run as a script uses it: the formats, the limit, several runs, failures.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <regex>

#include "torvex_process.h"

namespace {

using cli_run::Quick;
using cli_run::TorvexTest;
using nlohmann::json;

// threads,repeat,blocks,drive,dhrystone,whetstone,disk and CR LF; rates as the drivers write them.
const std::regex kResultsLine(R"(^(\d+),(\d+),(\d+),([a-z]:),([0-9.e+]+),(\d+),(\d+)\r\n$)");

using RunFormats = TorvexTest;

TEST_F(RunFormats, CsvIsOneResultsLineWithThreeRates) {
  auto r = Run({"--run", "--format", "csv", "--quiet"});
  ASSERT_EQ(r.status, 0) << r.err;
  std::smatch m;
  ASSERT_TRUE(std::regex_match(r.out, m, kResultsLine)) << r.out;
  EXPECT_EQ(m[1], "1");     // the dialog's defaults
  EXPECT_EQ(m[2], "1");
  EXPECT_EQ(m[3], "4096");
  EXPECT_EQ(m[4], "c:");    // the third drive, as the window selects it
  for (int field : {5, 6, 7}) EXPECT_GT(std::stod(m[field]), 0) << m[field];
  EXPECT_EQ(r.err.find("Running Dhrystones"), std::string::npos);  // --quiet
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{});  // the scratch file is gone
}

TEST_F(RunFormats, JsonHoldsEveryStatusTextInTheWindowsOrder) {
  auto r = Run(Quick({"--format=json"}));
  ASSERT_EQ(r.status, 0) << r.err;
  json j = json::parse(r.out);
  ASSERT_EQ(j["runs"].size(), 1u);
  std::vector<std::string> texts;
  double last = 0;
  for (const auto& line : j["runs"][0]["status"]) {
    texts.push_back(line["text"]);
    EXPECT_GE(line["seconds"].get<double>(), last);
    last = line["seconds"];
  }
  // The run command's own texts, each followed by its driver's lines.
  auto at = [&texts](const char* text) { return std::find(texts.begin(), texts.end(), text) - texts.begin(); };
  ASSERT_EQ(at("Running Dhrystones"), 0);
  EXPECT_LT(at("Running Dhrystones") + 1, at("Running Whetstones"));
  EXPECT_LT(at("Running Whetstones") + 1, at("Running Disk Benchmark"));
  EXPECT_LT(at("Running Disk Benchmark") + 1, static_cast<long>(texts.size()) - 1);
  EXPECT_EQ(texts.back(), "Benchmarks complete");
  // Every status text was shown on stderr as it came.
  for (const std::string& text : texts) EXPECT_NE(r.err.find(text), std::string::npos) << text;
  for (const char* key : {"dhrystone", "whetstone", "disk"}) {
    const json& result = j["runs"][0]["results"][key];
    EXPECT_GT(result["rate"].get<double>(), 0) << key;
    EXPECT_EQ(std::stod(result["text"].get<std::string>()), result["rate"].get<double>()) << key;
  }
  EXPECT_EQ(j["inputs"]["blocks"], 64);
  EXPECT_EQ(j["inputs"]["drive"], "c:");
  EXPECT_EQ(j["machine"]["drive"]["directory"], (Folder() / "c").string());
  EXPECT_GT(j["machine"]["logical_cores"].get<int>(), 0);
  EXPECT_FALSE(j["machine"]["cpu"].get<std::string>().empty());
  EXPECT_FALSE(j["date"].get<std::string>().empty());
}

TEST_F(RunFormats, TextNamesTheRatesWithTheirUnits) {
  auto r = Run(Quick({"--quiet"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(std::regex_search(r.out, std::regex(R"(\nInteger \(Dhrystone\): +[0-9.e+]+ KDhry/s \([0-9.e+]+ DMIPS\)\n)"))) << r.out;
  EXPECT_TRUE(std::regex_search(r.out, std::regex(R"(\nFloating point \(Whetstone\): \d+ KWhet/s \([0-9.e+]+ MWIPS\)\n)"))) << r.out;
  EXPECT_TRUE(std::regex_search(r.out, std::regex(R"(\nDisk: +\d+ Kbyte/s\n)"))) << r.out;
  EXPECT_NE(r.out.find("blocks 64, repeat 1, drive c:"), std::string::npos) << r.out;
}

TEST_F(RunFormats, ADecimalCommaLocaleStillPrintsPoints) {
  auto r = Run(Quick({"--format=csv", "--quiet", "--runs=2"}), {{"LC_ALL", "de_DE.UTF-8"}});
  ASSERT_EQ(r.status, 0) << r.err;
  std::string second = r.out.substr(r.out.find('\n') + 1);
  EXPECT_TRUE(std::regex_match(second, kResultsLine)) << r.out;
  auto j = Run(Quick({"--format=json", "--quiet"}), {{"LC_ALL", "de_DE.UTF-8"}});
  ASSERT_EQ(j.status, 0) << j.err;
  EXPECT_FALSE(std::regex_search(j.out, std::regex(R"re("(rate|seconds|median)": -?\d+,\d)re"))) << j.out;
  EXPECT_NO_THROW(json::parse(j.out));
}

using RunLimits = TorvexTest;

TEST_F(RunLimits, SixtyFourThreadsAreCappedAtSixtyThreeWithAWarning) {
  auto r = Run(Quick({"--threads", "64", "--format", "json"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("Maximum threads exceeded"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("threads 64 is above the program's limit; it ran with 63"), std::string::npos) << r.err;
  json j = json::parse(r.out);
  EXPECT_EQ(j["inputs"]["threads"], 63);
  EXPECT_EQ(j["inputs"]["threads_requested"], 64);
  EXPECT_NE(j["warnings"].dump().find("it ran with 63"), std::string::npos);
}

TEST_F(RunLimits, SeveralRunsGiveEachRunAndTheMedians) {
  auto r = Run(Quick({"--runs", "3", "--format", "json", "--quiet"}));
  ASSERT_EQ(r.status, 0) << r.err;
  json j = json::parse(r.out);
  ASSERT_EQ(j["runs"].size(), 3u);
  for (const char* key : {"dhrystone", "whetstone", "disk"}) {
    std::vector<double> rates;
    for (const auto& run : j["runs"]) rates.push_back(run["results"][key]["rate"]);
    std::sort(rates.begin(), rates.end());
    EXPECT_EQ(j["summary"][key]["median"].get<double>(), rates[1]) << key;
    EXPECT_EQ(j["summary"][key]["minimum"].get<double>(), rates[0]) << key;
    EXPECT_EQ(j["summary"][key]["maximum"].get<double>(), rates[2]) << key;
    EXPECT_EQ(j["summary"][key]["runs"], 3);
  }
  auto csv = Run(Quick({"--runs", "2", "--format", "csv", "--quiet"}));
  EXPECT_EQ(std::count(csv.out.begin(), csv.out.end(), '\n'), 2) << csv.out;
}

TEST_F(RunLimits, AFailedDiskTestExitsThreeWithItsReason) {
  // Drive d: stands for a folder that does not exist: the scratch file cannot be created.
  auto r = Run(Quick({"--drive", "d:", "--format", "json"}), {}, {{"d", (Folder() / "gone").string()}});
  EXPECT_EQ(r.status, 3) << r.err;
  json j = json::parse(r.out);
  const json& disk = j["runs"][0]["results"]["disk"];
  ASSERT_TRUE(disk.contains("failure")) << disk;
  EXPECT_NE(r.err.find("Disk failed: " + disk["failure"].get<std::string>()), std::string::npos) << r.err;
  EXPECT_EQ(j["failed"], true);
  EXPECT_GT(j["runs"][0]["results"]["dhrystone"]["rate"].get<double>(), 0);  // the others still ran
  auto text = Run(Quick({"--drive", "d:"}), {}, {{"d", (Folder() / "gone").string()}});
  EXPECT_EQ(text.status, 3);
  EXPECT_NE(text.out.find("Disk:                       failed: "), std::string::npos) << text.out;
}

}  // namespace
