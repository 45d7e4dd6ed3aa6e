// Faulty scripts are refused with the line of the fault and a reason.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "rc_test_support.h"

namespace {

TEST(RcMalformed, EachFaultIsReportedAtItsLine) {
  struct Case {
    const char* script;
    int line;
    const char* reason_part;
  } cases[] = {
      {"m MENU\nBEGIN\n  MENUITEM \"a\" 1\nEND", 3, "expected ','"},
      {"m MENU\nBEGIN\nEND", 2, "has no items"},
      {"m MENU\nBEGIN\n  POPUP \"p\"\n  BEGIN\n  MENUITEM \"a\", 1\n", 6, "missing END"},
      {"d DIALOG 0, 0, 10\nBEGIN END", 2, "expected ','"},
      {"d DIALOG 0, 0, 10, 40000\nBEGIN END", 1, "does not fit in 16 bits"},
      {"d DIALOG 0,0,1,1\nBEGIN\n  CONTROL \"x\", 1, FANCY, 0, 0,0,1,1\nEND", 3, "unknown control class"},
      {"d DIALOG 0,0,1,1\nBEGIN\n  CONTROL \"x\", 70000, \"Edit\", 0, 0,0,1,1\nEND", 3, "70000 does not fit an id"},
      {"d DIALOG 0,0,1,1\nBEGIN\n  LTEXT \"x\", 1, 0,0,1,1\nEND", 3, "expected CONTROL"},
      {"STRINGTABLE\nBEGIN\n  1, \"a\"\n  1, \"b\"\nEND", 4, "used twice"},
      {"STRINGTABLE\nBEGIN\n  1, \"unterminated\nEND", 3, "unterminated string"},
      {"STRINGTABLE BEGIN 1, \"bad \\q escape\" END", 1, "unknown escape"},
      {"\n\nx ACCELERATORS BEGIN END", 3, "unsupported resource type"},
      {"#include \"resource.h\"\n", 1, "unsupported preprocessor directive"},
      {"d DIALOG 0,0,1,1\nSTYLE WS_POPUP\nBEGIN END", 2, "unknown name 'WS_POPUP'"},
      {"a MENU BEGIN MENUITEM \"x\", 1 END\nA MENU BEGIN MENUITEM \"y\", 2 END", 2, "defined twice"},
      {"i ICON \"missing.ico\"", 1, "icon file missing.ico does not exist"},
      {"i ICON \"bad.ico\"", 1, "is not an icon file"},
      {"/* never closed\n\n", 1, "unterminated comment"},
      {"d DIALOG 0,0,1,1 BEGIN CONTROL \"x\", 1, \"Edit\", 0x12G, 0,0,1,1 END", 1, "bad number"},
  };
  for (const Case& c : cases) {
    Rejection rejected = rejection_of(c.script, {{"bad.ico", Bytes{'P', 'K', 3, 4, 0, 0, 0, 0}}});
    EXPECT_EQ(rejected.line, c.line) << c.script << "\n-> " << rejected.reason;
    EXPECT_NE(rejected.reason.find(c.reason_part), std::string::npos) << c.script << "\n-> " << rejected.reason;
  }
}

TEST(RcMalformed, DamagedIconFilesAreRefused) {
  Bytes header_only{0, 0, 1, 0, 1, 0};
  EXPECT_NE(rejection_of("i ICON \"x.ico\"", {{"x.ico", header_only}}).reason.find("damaged"), std::string::npos);
  // A directory entry pointing past the end of the file.
  Bytes outside{0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, 0xE8, 3, 0, 0, 22, 0, 0, 0};
  EXPECT_NE(rejection_of("i ICON \"x.ico\"", {{"x.ico", outside}}).reason.find("outside the file"), std::string::npos);
}

TEST(RcProgram, AFaultyScriptFailsAndLeavesTheOutputAlone) {
  if (!std::filesystem::exists(rc_program())) GTEST_SKIP() << "no rc program at " << rc_program();
  std::filesystem::path folder = std::filesystem::temp_directory_path() / ("rc-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "bad.rc") << "m MENU\nBEGIN\n  MENUITEM \"a\", x\nEND\n";
  std::ofstream(folder / "out.cpp") << "previous output";
  std::string command = rc_program().string() + " " + (folder / "bad.rc").string() + " " +
                        (folder / "out.cpp").string() + " 2>" + (folder / "errors.txt").string();
  EXPECT_NE(std::system(command.c_str()), 0);
  std::ifstream errors(folder / "errors.txt");
  std::string message((std::istreambuf_iterator<char>(errors)), {});
  EXPECT_NE(message.find("bad.rc:3: unknown name 'x'"), std::string::npos) << message;
  std::ifstream previous(folder / "out.cpp");
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(previous)), {}), "previous output");
  EXPECT_FALSE(std::filesystem::exists(folder / "out.cpp.tmp"));

  std::ofstream(folder / "good.rc") << "STRINGTABLE BEGIN 1, \"a\" END\n";
  command = rc_program().string() + " " + (folder / "good.rc").string() + " " + (folder / "out.cpp").string();
  EXPECT_EQ(std::system(command.c_str()), 0);
  std::ifstream written(folder / "out.cpp");
  EXPECT_NE(std::string((std::istreambuf_iterator<char>(written)), {}).find("register_resources"), std::string::npos);
  std::filesystem::remove_all(folder);
}

}  // namespace
