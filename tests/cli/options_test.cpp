// The option parser: what a good line means and how a bad one is refused.
#include "cli/options.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using cli::Action;
using cli::Format;
using cli::ParseOptions;

cli::ParseResult Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "torvex");
  return ParseOptions(static_cast<int>(args.size()), args.data());
}

TEST(Options, NoArgumentsIsTheWindowProgram) {
  const char* argv[] = {"torvex"};
  EXPECT_FALSE(cli::HasOptions(1, argv));
  EXPECT_EQ(Parse({}).options.action, Action::Window);
  const char* words[] = {"torvex", "some", "words"};
  EXPECT_FALSE(cli::HasOptions(3, words));
}

TEST(Options, BothValueFormsMeanTheSame) {
  auto joined = Parse({"--run", "--threads=4", "--blocks=64", "--repeat=2", "--drive=D:", "--runs=3",
                       "--format=json", "--output=o.json", "--screenshot=s.png", "--compare=c.json", "--quiet"});
  auto apart = Parse({"--run", "--threads", "4", "--blocks", "64", "--repeat", "2", "--drive", "d", "--runs", "3",
                      "--format", "json", "--output", "o.json", "--screenshot", "s.png", "--compare", "c.json",
                      "--quiet"});
  for (const auto& r : {joined, apart}) {
    ASSERT_EQ(r.error, "");
    EXPECT_EQ(r.options.action, Action::Run);
    EXPECT_EQ(r.options.threads, 4);
    EXPECT_EQ(r.options.blocks, 64);
    EXPECT_EQ(r.options.repeat, 2);
    EXPECT_EQ(r.options.drive, 'd');
    EXPECT_EQ(r.options.runs, 3);
    EXPECT_EQ(r.options.format, Format::Json);
    EXPECT_EQ(r.options.output, "o.json");
    EXPECT_EQ(r.options.screenshot, "s.png");
    EXPECT_EQ(r.options.compare, "c.json");
    EXPECT_TRUE(r.options.quiet);
  }
}

TEST(Options, UnsetInputsStayUnsetSoTheDialogDefaultsHold) {
  auto r = Parse({"--run"});
  ASSERT_EQ(r.error, "");
  EXPECT_FALSE(r.options.threads || r.options.blocks || r.options.repeat || r.options.drive);
  EXPECT_EQ(r.options.runs, 1);
  EXPECT_EQ(r.options.format, Format::Text);
}

TEST(Options, RunsAutoWarmupAndFailBelow) {
  auto r = Parse({"--run", "--runs", "auto", "--warmup=0", "--compare", "c.json", "--fail-below", "2.5"});
  ASSERT_EQ(r.error, "");
  EXPECT_TRUE(r.options.autoRuns);
  EXPECT_EQ(r.options.warmup, 0);
  EXPECT_EQ(r.options.failBelow, 2.5);
  // The last --runs wins, a number after auto included.
  auto last = Parse({"--run", "--runs=auto", "--runs=4"});
  EXPECT_FALSE(last.options.autoRuns);
  EXPECT_EQ(last.options.runs, 4);
  EXPECT_FALSE(last.options.warmup);
}

TEST(Options, ThreadsAboveTheLimitAreLeftForTheProgramToCap) {
  auto r = Parse({"--run", "--threads", "64"});
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.options.threads, 64);
}

TEST(Options, DirectIsASwitchOfRun) {
  EXPECT_FALSE(Parse({"--run"}).options.direct);
  EXPECT_TRUE(Parse({"--run", "--direct"}).options.direct);
  EXPECT_EQ(Parse({"--run", "--direct=yes"}).error, "--direct takes no value");
  EXPECT_EQ(Parse({"--direct"}).error, "--direct is an option of --run (see --help)");
}

TEST(Options, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(Parse({"--run", "--threads=2", "--help"}).options.action, Action::Help);
  EXPECT_EQ(Parse({"--version"}).options.action, Action::Version);
}

TEST(Options, BadLinesNameTheOptionAndWhatItAccepts) {
  struct Case {
    std::vector<const char*> args;
    const char* expected;
  } cases[] = {
      {{"--run", "--threads", "0"}, "--threads: 0 is out of range (1 to 2147483647)"},
      {{"--run", "--threads=2147483648"}, "--threads: 2147483648 is out of range (1 to 2147483647)"},
      {{"--run", "--blocks=99999999999999999999"}, "--blocks: 99999999999999999999 is out of range (1 to 2147483647)"},
      {{"--run", "--repeat=-1"}, "--repeat: -1 is out of range (1 to 2147483647)"},
      {{"--run", "--blocks=12abc"}, "--blocks: \"12abc\" is not a whole number (1 to 2147483647)"},
      {{"--run", "--blocks="}, "--blocks: \"\" is not a whole number (1 to 2147483647)"},
      {{"--run", "--threads= 4"}, "--threads: \" 4\" is not a whole number (1 to 2147483647)"},
      {{"--run", "--runs=0"}, "--runs: 0 is out of range (1 to 1000)"},
      {{"--run", "--format=xml"}, "--format: \"xml\" is not a format (text, csv or json)"},
      {{"--run", "--drive=cd"}, "--drive: \"cd\" is not a drive (a letter a to z, such as c:)"},
      {{"--run", "--drive=1:"}, "--drive: \"1:\" is not a drive (a letter a to z, such as c:)"},
      {{"--run", "--threads"}, "--threads needs a value (see --help)"},
      {{"--run", "--output="}, "--output: needs a file name"},
      {{"--run=yes"}, "--run takes no value"},
      {{"--run", "--bogus"}, "unknown option --bogus (see --help)"},
      {{"--run", "-t", "4"}, "unknown option -t (options are long: see --help)"},
      {{"--run", "extra"}, "unexpected argument \"extra\" (see --help)"},
      {{"--threads=4"}, "--threads is an option of --run (see --help)"},
      {{"--run", "--runs=often"}, "--runs: \"often\" is neither auto nor a whole number (1 to 1000)"},
      {{"--run", "--warmup=-1"}, "--warmup: -1 is out of range (0 to 100)"},
      {{"--run", "--compare=c.json", "--fail-below=100"}, "--fail-below: \"100\" is not a percentage (0 or more, below 100)"},
      {{"--run", "--compare=c.json", "--fail-below=5%"}, "--fail-below: \"5%\" is not a percentage (0 or more, below 100)"},
      {{"--run", "--compare=c.json", "--fail-below=nan"}, "--fail-below: \"nan\" is not a percentage (0 or more, below 100)"},
      {{"--run", "--fail-below=5"}, "--fail-below needs --compare FILE, the result it measures regressions against"},
  };
  for (const Case& c : cases) {
    auto r = Parse(c.args);
    EXPECT_EQ(r.error, c.expected) << c.args.back();
  }
}

}  // namespace
