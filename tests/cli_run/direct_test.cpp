// --direct through the real executable: a file system that refuses direct I/O fails the
// disk test with the reason, a drive held in memory is named in every format, and on a
// disk the bypassed figure is the drive's, far below the cached one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <nlohmann/json.hpp>
#include <regex>

#include "private_ramfs.h"
#include "torvex_process.h"

namespace {

namespace fs = std::filesystem;
using cli_run::Quick;
using cli_run::TorvexTest;
using nlohmann::json;

constexpr char kRefusal[] = "Create file: The request is not supported.";
// How far below: direct I/O to a device is several times slower than copying in memory.
constexpr double kWellBelow = 4;

// A fresh folder somewhere else than the test's own folder, removed again at the end.
class OwnFolder {
 public:
  explicit OwnFolder(const fs::path& parent) {
    std::string pattern = (parent / "torvex-direct-XXXXXX").string();
    if (::mkdtemp(pattern.data())) path_ = pattern;
  }
  ~OwnFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }
  bool empty() const { return fs::is_empty(path_); }

 private:
  fs::path path_;
};

double DiskMedian(const std::string& out) { return json::parse(out)["summary"]["disk"]["median"].get<double>(); }

using DirectRun = TorvexTest;

TEST_F(DirectRun, AFileSystemWithoutDirectIoFailsTheDiskTestWithTheReason) {
  fs::path folder = Folder() / "ram";
  fs::create_directory(folder);
  std::vector<std::pair<std::string, std::string>> drives = {{"d", folder.string()}};
  json runs;
  std::string whyNot = cli_run::WithPrivateRamfs(
      folder,
      [&] {
        auto j = Run(Quick({"--direct", "--drive", "d:", "--format", "json"}), {}, drives);
        auto text = Run(Quick({"--direct", "--drive", "d:", "--quiet"}), {}, drives);
        return json{{"status", j.status}, {"out", j.out}, {"err", j.err}, {"empty", fs::is_empty(folder)},
                    {"text_status", text.status}, {"text", text.out}};
      },
      runs);
  if (!whyNot.empty()) GTEST_SKIP() << whyNot;
  cli_run::Outcome r{runs["status"], runs["out"], runs["err"]};

  EXPECT_EQ(r.status, 3) << r.err;
  json j = json::parse(r.out);
  EXPECT_EQ(j["cache"], "bypassed");
  EXPECT_EQ(j["inputs"]["blocks"], 64);  // ramfs has no size limit, so nothing shrank them
  EXPECT_EQ(j["runs"][0]["results"]["disk"]["failure"], kRefusal);
  EXPECT_EQ(j["summary"]["disk"], nullptr);  // no figure at all, cached or otherwise
  EXPECT_EQ(j["machine"]["drive"]["file_system"], "ramfs");
  EXPECT_EQ(j["machine"]["drive"]["in_memory"], true);
  EXPECT_NE(r.err.find(std::string("Disk failed: ") + kRefusal), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("the file system of drive d: (ramfs) refuses direct I/O"), std::string::npos) << r.err;
  EXPECT_EQ(runs["empty"], true);  // the scratch file made before the refusal is gone

  EXPECT_EQ(runs["text_status"], 3);
  std::string text = runs["text"];
  EXPECT_NE(text.find(std::string("Disk:                       failed: ") + kRefusal), std::string::npos) << text;
}

TEST_F(DirectRun, ADriveHeldInMemoryIsNamedSoInEveryFormat) {
  if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm here";
  OwnFolder shm("/dev/shm");
  ASSERT_FALSE(shm.path().empty());
  std::vector<std::pair<std::string, std::string>> drives = {{"d", shm.path().string()}};

  auto text = Run(Quick({"--direct", "--drive", "d:", "--quiet"}), {}, drives);
  if (text.status == 3 && text.out.find(kRefusal) != std::string::npos) {
    // Older kernels have no direct I/O on tmpfs: refused, yet still named.
  } else {
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("\nThe disk figure bypasses the system's file cache.\n"), std::string::npos) << text.out;
  }
  EXPECT_NE(text.out.find(", tmpfs, held in memory)\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("\nDrive d: is held in memory (tmpfs): its figure is not a disk's.\n"), std::string::npos)
      << text.out;

  auto j = Run(Quick({"--direct", "--drive", "d:", "--format", "json", "--quiet"}), {}, drives);
  json result = json::parse(j.out);
  EXPECT_EQ(result["machine"]["drive"]["in_memory"], true);
  EXPECT_EQ(result["machine"]["drive"]["file_system"], "tmpfs");
  EXPECT_EQ(result["cache"], "bypassed");

  // csv stays the bare results line; the note goes to stderr.
  auto csv = Run(Quick({"--drive", "d:", "--format", "csv", "--quiet"}), {}, drives);
  ASSERT_EQ(csv.status, 0) << csv.err;
  EXPECT_TRUE(std::regex_match(csv.out, std::regex(R"(^1,1,64,d:,[^,]+,\d+,\d+\r\n$)"))) << csv.out;
  EXPECT_NE(csv.err.find("drive d: is held in memory (tmpfs)"), std::string::npos) << csv.err;
  EXPECT_TRUE(shm.empty());
}

TEST_F(DirectRun, OnADiskTheBypassedFigureIsFarBelowTheCachedOne) {
  // A folder of the build tree: a disk file system, unlike the temporary folders may be.
  fs::path build = fs::read_symlink("/proc/self/exe").parent_path().parent_path();
  OwnFolder disk(build);
  ASSERT_FALSE(disk.path().empty());
  std::vector<std::pair<std::string, std::string>> drives = {{"d", disk.path().string()}};
  // Medians of three runs each, so one slow run on a busy machine decides nothing.
  std::vector<std::string> args = {"--run", "--blocks", "256", "--repeat", "1", "--runs", "3",
                                   "--drive", "d:", "--format", "json", "--quiet"};
  auto direct = Run([&] { auto a = args; a.push_back("--direct"); return a; }(), {}, drives);
  if (direct.status == 3 && direct.out.find(kRefusal) != std::string::npos)
    GTEST_SKIP() << disk.path() << " is on a file system that refuses direct I/O";
  ASSERT_EQ(direct.status, 0) << direct.err;
  auto cached = Run(args, {}, drives);
  ASSERT_EQ(cached.status, 0) << cached.err;
  json j = json::parse(direct.out);
  EXPECT_EQ(j["cache"], "bypassed");
  EXPECT_EQ(json::parse(cached.out)["cache"], "system");
  if (j["machine"]["drive"]["in_memory"] == true) GTEST_SKIP() << "the build tree is held in memory here";
  double bypassed = DiskMedian(direct.out), throughCache = DiskMedian(cached.out);
  EXPECT_LT(bypassed * kWellBelow, throughCache) << "direct " << bypassed << " Kbyte/s, cached " << throughCache;
  EXPECT_TRUE(disk.empty());
}

}  // namespace
