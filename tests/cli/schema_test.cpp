// The README's JSON example and the program's output have the same keys, so the written
// schema cannot fall behind the output (or the other way round).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "source_tree.h"
#include "cli/formats.h"
#include "cli/number_text.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using cli_test::SourceDir;

// Every key path ("runs[].results.disk.failure"); arrays by their elements' keys.
void Paths(const json& j, const std::string& prefix, std::set<std::string>& out) {
  if (j.is_object()) {
    for (const auto& [key, value] : j.items()) {
      out.insert(prefix + key);
      Paths(value, prefix + key + ".", out);
    }
  } else if (j.is_array()) {
    for (const json& element : j) Paths(element, prefix.substr(0, prefix.size() - 1) + "[].", out);
  }
}

TEST(Schema, ReadmeExampleHasExactlyTheKeysOfTheOutput) {
  std::ifstream in(SourceDir() / "README.md");
  std::string readme(std::istreambuf_iterator<char>(in), {});
  std::size_t heading = readme.find("### JSON result, schema 1");
  ASSERT_NE(heading, std::string::npos);
  std::size_t begin = readme.find("```json\n", heading) + 8;
  std::size_t end = readme.find("```", begin);
  json documented = json::parse(readme.substr(begin, end - begin));

  // A report with every optional part: a failed disk test, a warm-up, --runs auto and a
  // comparison with --fail-below.
  cli::Report report;
  cli::Run run;
  for (int i = 0; i < 3; ++i) run.results[i] = {"100", 100.0, ""};
  run.results[2].failure = "Create file: no such path";
  run.status = {{0.0, "Running Dhrystones"}};
  report.session.runs = {run};
  report.session.warnings = {"a warning"};
  report.comparison.emplace();
  report.comparison->file = "old.json";
  report.comparison->saved = {cli::SavedFigure{1.0, 0.01, 3}, cli::SavedFigure{2.0, 0, 1}, cli::SavedFigure{3.0, 0, 1}};
  report.comparison->failBelow = 5;
  report.comparison->warnings = {"the saved result ran with other inputs (threads 4 there, 1 here)"};
  report.plan = {true, 1, 1};
  report.stopped = cli::StopReason::Stable;
  report.warmup.runs = {run};
  json output = cli::ToJson(report);

  std::set<std::string> documentedPaths, outputPaths;
  Paths(documented, "", documentedPaths);
  Paths(output, "", outputPaths);
  EXPECT_EQ(documentedPaths, outputPaths);
  EXPECT_EQ(documented["schema"], output["schema"]);
}

}  // namespace
