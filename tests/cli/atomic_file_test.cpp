// --output and --screenshot replace a file only with complete contents.
#include "cli/atomic_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class AtomicFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "torvex-cli-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all);
    fs::remove_all(dir_);
  }
  std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
  std::size_t Entries() { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {})); }
  fs::path dir_;
};

TEST_F(AtomicFileTest, CommitReplacesTheFileAndLeavesNoTemporary) {
  Write(dir_ / "r.json", "old");
  cli::AtomicFile file;
  ASSERT_EQ(file.Open((dir_ / "r.json").string()), "");
  EXPECT_EQ(Read(dir_ / "r.json"), "old");  // nothing changes before the commit
  ASSERT_EQ(file.Commit("new contents\n"), "");
  EXPECT_EQ(Read(dir_ / "r.json"), "new contents\n");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileTest, AnUncommittedFileLeavesTheOldOneAndNoTemporary) {
  Write(dir_ / "r.json", "old");
  {
    cli::AtomicFile file;
    ASSERT_EQ(file.Open((dir_ / "r.json").string()), "");
    EXPECT_EQ(Entries(), 2u);
  }
  EXPECT_EQ(Read(dir_ / "r.json"), "old");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileTest, ContentsWrittenByNameAreCommittedToo) {
  cli::AtomicFile file;
  ASSERT_EQ(file.Open((dir_ / "shot.png").string()), "");
  Write(file.TemporaryPath(), "picture");
  ASSERT_EQ(file.CommitWritten(), "");
  EXPECT_EQ(Read(dir_ / "shot.png"), "picture");
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(AtomicFileTest, UnwritablePlacesFailAtOnceWithTheReason) {
  cli::AtomicFile file;
  EXPECT_EQ(file.Open((dir_ / "missing" / "r.json").string()),
            "cannot write " + (dir_ / "missing" / "r.json").string() + ": No such file or directory");
  EXPECT_EQ(file.Open(dir_.string()), "cannot write " + dir_.string() + ": Is a directory");
  if (::geteuid() != 0) {  // root writes anywhere
    Write(dir_ / "r.json", "old");
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_NE(file.Open((dir_ / "r.json").string()), "");
    EXPECT_EQ(Read(dir_ / "r.json"), "old");
  }
}

}  // namespace
