// What torvex --run writes, and that a mistake writes nothing.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "torvex_process.h"

namespace {

using cli_run::Quick;
using cli_run::TorvexTest;
using nlohmann::json;

using RunFiles = TorvexTest;

TEST_F(RunFiles, BadOptionsExitTwoWithOneLineAndWriteNothing) {
  std::string out = (Folder() / "out.json").string();
  const std::vector<std::vector<std::string>> lines = {
      {"--run", "--threads", "0", "--output", out},
      {"--run", "--blocks=lots", "--output", out},
      {"--run", "--format", "xml", "--output", out},
      {"--run", "--frobnicate", "--output", out},
      {"--threads=4", "--output", out},
      {"--run", "--drive", "q:", "--output", out},  // not one of the program's drives
  };
  for (const auto& args : lines) {
    auto r = Run(args);
    EXPECT_EQ(r.status, 2) << args[1];
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("torvex: --", 0) == 0 || r.err.rfind("torvex: unknown", 0) == 0, true) << r.err;
    EXPECT_EQ(FilesInFolder(), std::vector<std::string>{}) << args[1];
  }
}

TEST_F(RunFiles, OutputToAnUnwritablePlaceFailsAndLeavesTheOldFile) {
  Write(Folder() / "keep.json", "old result");
  auto r = Run(Quick({"--output", (Folder() / "no" / "such" / "dir.json").string()}));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("No such file or directory"), std::string::npos) << r.err;
  auto dir = Run(Quick({"--output", Folder().string()}));
  EXPECT_EQ(dir.status, 2);
  EXPECT_EQ(Read(Folder() / "keep.json"), "old result");
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"keep.json"});
}

TEST_F(RunFiles, OutputReplacesAFileWithTheWholeResult) {
  Write(Folder() / "r.csv", "old result");
  auto r = Run(Quick({"--output", (Folder() / "r.csv").string(), "--format=csv", "--quiet"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  std::string line = Read(Folder() / "r.csv");
  EXPECT_EQ(line.rfind("1,1,64,c:,", 0), 0u) << line;
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"r.csv"});
}

TEST_F(RunFiles, CompareAgainstAnEarlierRun) {
  std::string saved = (Folder() / "saved.json").string();
  ASSERT_EQ(Run(Quick({"--format=json", "--output", saved, "--quiet"})).status, 0);
  auto r = Run(Quick({"--compare", saved, "--quiet"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Compared with " + saved + " (a change counts only beyond the noise of both):\n"), std::string::npos)
      << r.out;
  for (const char* unit : {"KDhry/s, ratio ", "KWhet/s, ratio ", "Kbyte/s, ratio "})
    EXPECT_NE(r.out.find(unit), std::string::npos) << r.out;
  auto j = Run(Quick({"--compare", saved, "--format=json", "--quiet"}));
  json compared = json::parse(j.out);
  EXPECT_EQ(compared["compare"]["whetstone"]["saved"], json::parse(Read(saved))["summary"]["whetstone"]["median"]);
  EXPECT_GT(compared["compare"]["whetstone"]["ratio"].get<double>(), 0);
}

TEST_F(RunFiles, CompareWithAFileThatIsNotAResultWritesNothing) {
  Write(Folder() / "notes.txt", "1,1,4096,c:,12.5,7000,850\r\n");
  auto r = Run(Quick({"--compare", (Folder() / "notes.txt").string(), "--output", (Folder() / "o.json").string()}));
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("not a saved result (not JSON)"), std::string::npos) << r.err;
  EXPECT_EQ(FilesInFolder(), std::vector<std::string>{"notes.txt"});
}

TEST_F(RunFiles, ScreenshotIsAPngOfTheMainWindow) {
  std::string shot = (Folder() / "shot.png").string();
  auto r = Run(Quick({"--screenshot", shot, "--quiet"}));
  ASSERT_EQ(r.status, 0) << r.err;
  std::string png = Read(shot);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  auto be32 = [&png](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  // A window, not the whole 1024 x 768 screen: the frame around the 132 x 109 unit panel.
  unsigned width = be32(16), height = be32(20);
  EXPECT_GT(width, 132u);
  EXPECT_GT(height, 109u);
  EXPECT_LT(width, 1024u);
  EXPECT_LT(height, 768u);
}

TEST_F(RunFiles, HelpAndVersion) {
  auto help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--run"), std::string::npos);
  auto version = Run({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("torvex (TORVEX NT Benchmarks) ", 0), 0u) << version.out;
}

}  // namespace
