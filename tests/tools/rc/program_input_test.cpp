// The rc program on files that are not what a script should name: folders, devices,
// files past the size limit. Each fails with file:line: reason, a non-zero exit and no
// output file at all.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "input_file.h"
#include "rc_test_support.h"

namespace {

class RcProgramInput : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(rc_program())) GTEST_SKIP() << "no rc program at " << rc_program();
    folder_ = std::filesystem::temp_directory_path() /
              ("rc-input-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // Runs rc on `script` (a path) and returns its exit status; the messages land in errors_.
  int run(const std::filesystem::path& script) {
    std::filesystem::path errors = folder_ / "errors.txt";
    std::string command = rc_program().string() + " '" + script.string() + "' '" + output().string() + "' 2>'" +
                          errors.string() + "'";
    int status = std::system(command.c_str());
    std::ifstream in(errors);
    errors_.assign(std::istreambuf_iterator<char>(in), {});
    return status;
  }
  int run_script(const std::string& text) {
    std::ofstream(folder_ / "test.rc", std::ios::binary) << text;
    return run(folder_ / "test.rc");
  }
  std::filesystem::path output() const { return folder_ / "out.cpp"; }
  bool any_output() const {
    return std::filesystem::exists(output()) || std::filesystem::exists(folder_ / "out.cpp.tmp");
  }

  std::filesystem::path folder_;
  std::string errors_;
};

TEST_F(RcProgramInput, IconNamingAFolderOrADeviceIsRefused) {
  std::filesystem::create_directories(folder_ / "icons");
  struct Case {
    std::string file;
    std::string message;
  } cases[] = {
      {"icons", "test.rc:2: icon file icons is a directory"},
      {"/dev/zero", "test.rc:2: icon file /dev/zero is not a regular file"},
      {"nothing.ico", "test.rc:2: icon file nothing.ico does not exist"},
  };
  for (const Case& c : cases) {
    EXPECT_NE(run_script("// icons\nI ICON \"" + c.file + "\"\n"), 0) << c.file;
    EXPECT_NE(errors_.find(c.message), std::string::npos) << errors_;
    EXPECT_FALSE(any_output()) << c.file;
  }
}

TEST_F(RcProgramInput, FilesPastTheSizeLimitAreRefused) {
  // Sparse: no disk space is used for the hole.
  std::ofstream(folder_ / "huge.ico").close();
  std::filesystem::resize_file(folder_ / "huge.ico", rc::kMaxInputFileBytes + 1);
  EXPECT_NE(run_script("I ICON \"huge.ico\"\n"), 0);
  EXPECT_NE(errors_.find("test.rc:1: icon file huge.ico is larger than 16777216 bytes"), std::string::npos) << errors_;
  EXPECT_FALSE(any_output());

  std::filesystem::resize_file(folder_ / "huge.ico", rc::kMaxInputFileBytes + 1);
  EXPECT_NE(run(folder_ / "huge.ico"), 0);
  EXPECT_NE(errors_.find("huge.ico: the script is larger than"), std::string::npos) << errors_;
  EXPECT_FALSE(any_output());
}

TEST_F(RcProgramInput, AScriptThatIsNoFileIsRefused) {
  EXPECT_NE(run(folder_), 0);
  EXPECT_NE(errors_.find(": the script is a directory"), std::string::npos) << errors_;
  EXPECT_NE(run("/dev/null"), 0);
  EXPECT_NE(errors_.find("/dev/null: the script is not a regular file"), std::string::npos) << errors_;
  EXPECT_FALSE(any_output());
}

TEST_F(RcProgramInput, HostileScriptsFailCleanlyWithoutOutput) {
  std::string deep = "m MENU\nBEGIN\n";
  for (int i = 0; i < 40000; ++i) deep += "POPUP \"p\" BEGIN\n";
  EXPECT_NE(run_script(deep), 0);
  EXPECT_NE(errors_.find("test.rc:19: pop-ups are nested more than 16 deep"), std::string::npos) << errors_;
  EXPECT_FALSE(any_output());

  // A CR-only script: its first comment must not swallow the menu after it.
  EXPECT_EQ(run_script("// menu\rm MENU\rBEGIN\r  MENUITEM \"a\", 1\rEND\r"), 0) << errors_;
  std::ifstream in(output());
  std::string source((std::istreambuf_iterator<char>(in)), {});
  EXPECT_NE(source.find("{4, \"M\", 0, kResource0"), std::string::npos) << source;
}

}  // namespace
