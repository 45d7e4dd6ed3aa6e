// The man page and the bash completion name exactly the options that --help names, so
// neither drifts from the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

#include "source_tree.h"
#include "cli/usage.h"

namespace {

namespace fs = std::filesystem;

using cli_test::SourceDir;

std::string ReadSource(const char* name) {
  std::ifstream in(SourceDir() / name);
  EXPECT_TRUE(in) << name;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (std::sregex_iterator i(text.begin(), text.end(), pattern), end; i != end; ++i) found.insert((*i)[1]);
  return found;
}

std::set<std::string> HelpOptions() {
  return Matches(cli::UsageText(), std::regex(R"(\n +--([a-z-]+))"));
}

TEST(Manual, ManPageDescribesEveryOptionOfHelpAndNoOther) {
  std::set<std::string> help = HelpOptions();
  ASSERT_GE(help.size(), 10u);
  std::string page = ReadSource("cli/torvex.1");
  EXPECT_EQ(Matches(page, std::regex(R"(\n\.BI? \\-\\-([a-z-]+))")), help);
}

TEST(Manual, ManPageNamesTheExitStatusesOfHelp) {
  std::string page = ReadSource("cli/torvex.1");
  std::string exitLine = cli::UsageText().substr(cli::UsageText().find("Exit status"));
  for (const std::string& status : Matches(exitLine, std::regex(R"((\d+) [a-z])")))
    EXPECT_NE(page.find("\n.B " + status + "\n"), std::string::npos) << status;
}

TEST(Manual, BashCompletionOffersEveryOptionOfHelp) {
  std::string script = ReadSource("cli/torvex.bash");
  std::smatch list;
  ASSERT_TRUE(std::regex_search(script, list, std::regex(R"re(options="([^"]*)")re")));
  std::string words = list[1];
  // --run itself is the usage line's command rather than an entry of the option list.
  std::set<std::string> expected = HelpOptions();
  expected.insert("run");
  EXPECT_EQ(Matches(" " + words, std::regex(R"( --([a-z-]+))")), expected);
}

}  // namespace
