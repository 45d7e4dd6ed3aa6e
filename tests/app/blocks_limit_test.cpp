// Run! refuses a block count whose scratch file would not leave room on the chosen drive,
// as it refuses too many threads: one beep, a box, the field set to what fits, and the run
// goes on with that count.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <win32_headless.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "app/control_ids.h"
#include "app/last_run.h"
#include "program.h"

namespace app_test {
namespace {

constexpr int kRunBarPosition = 1;
constexpr int kBoxTextId = 0xFFFF;

// Drive C: on a small file system of its own (a 16 MB tmpfs), so that a count the field can
// hold does not fit. Mounting needs root; elsewhere the test is skipped.
class SmallDriveC {
 public:
  explicit SmallDriveC(const std::string& directory) : directory_(directory) {
    if (::mount("tmpfs", directory_.c_str(), "tmpfs", 0, "size=16m") == 0)
      mounted_ = true;
    else
      whyNot_ = std::string("cannot mount a small tmpfs (root is needed): ") + std::strerror(errno);
  }
  ~SmallDriveC() {
    if (mounted_) ::umount2(directory_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  const std::string& whyNot() const { return whyNot_; }

 private:
  std::string directory_;
  bool mounted_ = false;
  std::string whyNot_;
};

// Repeat 0: the run creates and deletes the scratch file but moves no block.
TEST(BlocksLimit, ACountThatDoesNotFitTheDriveIsCutToWhatFits) {
  TestDrives drives;
  SmallDriveC small(drives.Directory('c'));
  if (!small.mounted()) GTEST_SKIP() << small.whyNot();
  Program program;
  ASSERT_NE(program.Frame(), nullptr);
  program.TypeInto(kIdThreads, "1");
  program.TypeInto(kIdBlocks, "99999");
  program.TypeInto(kIdRepeat, "0");
  headless::clear_beeps();
  program.ForgetTexts();
  program.ClickBar(kRunBarPosition);
  ASSERT_TRUE(program.Idle());

  HWND box = program.FindBox("Blocks");
  ASSERT_NE(box, nullptr);
  const std::string text = program.Text(GetDlgItem(box, kBoxTextId));
  EXPECT_EQ(text.rfind("Not enough free space on drive c: for 99999 blocks: ", 0), 0u) << text;
  EXPECT_NE(text.find(" bytes free, room for "), std::string::npos) << text;
  EXPECT_EQ(GetWindow(box, GW_OWNER), program.Frame());
  EXPECT_EQ(headless::beeps(), std::vector<UINT>{0});
  EXPECT_TRUE(program.TextsSet().empty());
  EXPECT_TRUE(headless::screenshot(ShotPath("torvex_blocks_limit.png").c_str()));

  headless::press_key(VK_RETURN);
  ASSERT_TRUE(program.Idle());
  const long fits = std::atol(program.Text(kIdBlocks).c_str());
  EXPECT_GT(fits, 0);
  EXPECT_LT(fits, 99999L);
  EXPECT_EQ(text.substr(text.rfind(' ', text.size() - 8) + 1), std::to_string(fits) + " blocks") << text;
  EXPECT_EQ(program.Text(kIdStatus), "Benchmarks complete");
  EXPECT_EQ(headless::beeps().size(), 1u);
  program.ClickPopupItem(0, 6);
  EXPECT_EQ(program.Join(), 1);
  EXPECT_EQ(LastRun.blockCount, fits);
  EXPECT_TRUE(drives.Files().empty());
}

}  // namespace
}  // namespace app_test
