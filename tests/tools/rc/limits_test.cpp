// Hostile scripts: nesting, #define chains, line endings, numbers that do not fit their
// field and unprintable bytes. Each is refused at its line with the real cause, quickly
// and without exhausting the stack or memory.
#include <string>

#include "rc_test_support.h"

namespace {

std::string repeated(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

bool mentions(const Rejection& rejected, const std::string& part) {
  return rejected.reason.find(part) != std::string::npos;
}

TEST(RcLimits, DeepNestingIsRefusedNotRecursedInto) {
  std::string popups = "m MENU\nBEGIN\n" + repeated("POPUP \"p\" BEGIN\n", 40000) + "MENUITEM \"x\", 1\n" +
                       repeated("END\n", 40001);
  Rejection rejected = rejection_of(popups);
  EXPECT_TRUE(mentions(rejected, "nested more than 16 deep")) << rejected.reason;
  EXPECT_EQ(rejected.line, 2 + 17);

  std::string parentheses = "d DIALOG 0,0,1,1\nSTYLE " + repeated("(", 50000) + "1" + repeated(")", 50000) + "\nBEGIN END";
  rejected = rejection_of(parentheses);
  EXPECT_TRUE(mentions(rejected, "dialog style is nested more than 64 levels deep")) << rejected.reason;
  EXPECT_EQ(rejected.line, 2);

  rejected = rejection_of("d DIALOG 0,0,1,1\nSTYLE " + repeated("~", 100000) + "0\nBEGIN END");
  EXPECT_TRUE(mentions(rejected, "nested more than 64 levels deep")) << rejected.reason;

  // Up to the bounds everything still compiles.
  std::string sixteen = "m MENU\nBEGIN\n" + repeated("POPUP \"p\" BEGIN\n", 16) + "MENUITEM \"x\", 1\n" +
                        repeated("END\n", 17);
  EXPECT_EQ(rejection_of(sixteen).reason, "");
  EXPECT_EQ(rejection_of("d DIALOG 0,0,1,1\nSTYLE " + repeated("(", 30) + "~~1" + repeated(")", 30) + "\nBEGIN END").reason, "");
}

// A chain where every name is two of the one before: the 30th is a billion tokens.
std::string doubling_chain(int levels, const std::string& use) {
  std::string script = "#define D0 1\n";
  for (int i = 1; i <= levels; ++i)
    script += "#define D" + std::to_string(i) + " D" + std::to_string(i - 1) + "|D" + std::to_string(i - 1) + "\n";
  return script + "d DIALOG 0,0,1,1\nSTYLE " + use + "\nBEGIN END\n";
}

TEST(RcLimits, DefineExpansionFailsWithItsRealCause) {
  struct Case {
    int levels;
    const char* reason;
  } cases[] = {{30, "#define D30 expands into more than 4096 tokens"},
               {40, "#define D40 nests definitions more than 32 deep"}};
  for (const Case& c : cases) {
    Rejection rejected = rejection_of(doubling_chain(c.levels, "D" + std::to_string(c.levels)));
    EXPECT_EQ(rejected.reason, c.reason);
    EXPECT_EQ(rejected.line, c.levels + 3);
  }
  EXPECT_EQ(rejection_of(doubling_chain(10, "D10")).reason, "");

  // Two tokens a level keep every expansion small; only the nesting is too deep.
  std::string linear = "#define L0 1\n";
  for (int i = 1; i <= 40; ++i) linear += "#define L" + std::to_string(i) + " L" + std::to_string(i - 1) + "+0\n";
  Rejection rejected = rejection_of(linear + "d DIALOG 0,0,1,1\nSTYLE L40\nBEGIN END\n");
  EXPECT_TRUE(mentions(rejected, "#define L40 nests definitions more than 32 deep")) << rejected.reason;

  rejected = rejection_of("#define A B|1\n#define B A|2\nd DIALOG 0,0,1,1\nSTYLE A\nBEGIN END\n");
  EXPECT_TRUE(mentions(rejected, "#define A expands into itself")) << rejected.reason;
  EXPECT_EQ(rejected.line, 4);

  // A small definition used very often still ends, at the script-wide bound.
  std::string many = "#define X " + repeated("1|", 2000) + "1\nd DIALOG 0,0,1,1\nSTYLE " + repeated("X|", 300) +
                     "X\nBEGIN END\n";
  EXPECT_TRUE(mentions(rejection_of(many), "tokens in this script"));
}

TEST(RcLimits, CrLfAndCrLineEndingsCompileAsLf) {
  const std::string lf =
      "// the menu\n#define ID 7\nm MENU\nBEGIN\n  MENUITEM \"a\", ID\nEND\n"
      "STRINGTABLE\nBEGIN\n  1, \"one\" /* two\nlines */\nEND\n";
  auto expected = compile(lf);
  ASSERT_EQ(expected.size(), 2u);
  for (const char* ending : {"\r\n", "\r"}) {
    std::string script;
    for (char c : lf) script += c == '\n' ? ending : std::string(1, c);
    auto resources = compile(script);
    ASSERT_EQ(resources.size(), expected.size());
    for (std::size_t i = 0; i < resources.size(); ++i) EXPECT_EQ(resources[i].data, expected[i].data);
    // Errors still name the right line.
    Rejection rejected = rejection_of(script + "x\n");
    EXPECT_EQ(rejected.line, 13) << rejected.reason;
  }
}

TEST(RcLimits, NumbersThatDoNotFitTheirFieldAreErrors) {
  struct Case {
    const char* script;
    const char* reason_part;
  } cases[] = {
      {"d DIALOG 0,0,4294967295,1 BEGIN END", "dialog width 4294967295 does not fit in 16 bits"},
      {"d DIALOG 0,0,1,-32769 BEGIN END", "does not fit in 16 bits"},
      {"STRINGTABLE BEGIN -1, \"a\" END", "string id -1 does not fit"},
      {"STRINGTABLE BEGIN 65536, \"a\" END", "string id 65536 does not fit"},
      {"m MENU BEGIN MENUITEM \"a\", -2 END", "menu item id -2 does not fit an id"},
      {"d DIALOG 0,0,1,1 FONT 70000, \"x\" BEGIN END", "font point size 70000 does not fit"},
      {"d DIALOG 0,0,1,1 STYLE 0xFFFFFFFF+1 BEGIN END", "dialog style 4294967296 does not fit in 32 bits"},
      {"d DIALOG 0,0,1,1 STYLE 0x100000000 BEGIN END", "number too large"},
      {"d DIALOG 0,0,1,1 STYLE 4000000000+4000000000+4000000000 BEGIN END", "does not fit in 32 bits"},
  };
  for (const Case& c : cases) {
    Rejection rejected = rejection_of(c.script);
    EXPECT_TRUE(mentions(rejected, c.reason_part)) << c.script << "\n-> " << rejected.reason;
  }
  // What does fit keeps its meaning: -1 is a width of -1 and the "no id" id, ~0 all bits.
  auto resources = compile("d DIALOG 0,0,-1,1 STYLE ~0 BEGIN CONTROL \"\", -1, \"Static\", 0, 0,0,1,1 END");
  const Bytes& dialog = resources.at(0).data;
  EXPECT_EQ(Bytes(dialog.begin(), dialog.begin() + 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Bytes(dialog.begin() + 14, dialog.begin() + 16), (Bytes{0xFF, 0xFF}));  // cx
  EXPECT_EQ(Bytes(dialog.begin() + 40, dialog.begin() + 42), (Bytes{0xFF, 0xFF}));  // control id
}

TEST(RcLimits, UnprintableBytesAreEscapedInMessages) {
  Rejection rejected = rejection_of(std::string("m MENU BEGIN \x1b[31m END"));
  EXPECT_TRUE(mentions(rejected, "\\x1B")) << rejected.reason;
  rejected = rejection_of("m MENU BEGIN MENUITEM \"a\xff\x07\", x END");
  EXPECT_TRUE(mentions(rejected, "unknown name 'x'")) << rejected.reason;
  rejected = rejection_of("m MENU BEGIN POPUP \"\\x07\\xE9\" BEGIN END END");
  EXPECT_TRUE(mentions(rejected, "\\x07\\xE9")) << rejected.reason;
  for (char c : rejected.reason) EXPECT_TRUE(c >= 0x20 && c < 0x7F) << rejected.reason;
  // A huge token is shown by its start only.
  rejected = rejection_of("m MENU BEGIN MENUITEM \"" + std::string(100000, 'a') + "\" END");
  EXPECT_LT(rejected.reason.size(), 200u);
}

}  // namespace
