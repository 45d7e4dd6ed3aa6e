// The binary formats the compiler writes, checked byte by byte on small scripts.
#include "rc_test_support.h"

namespace {

TEST(RcMenu, PopupsCommandsSeparatorsAndEndFlags) {
  auto resources = compile(R"(
    #define ID_OPEN 100
    main MENU DISCARDABLE
    BEGIN
      POPUP "&File"
      BEGIN
        MENUITEM "&Open", ID_OPEN
        MENUITEM SEPARATOR
      END
      MENUITEM "&Go!", 101, GRAYED
    END)");
  const auto* menu = find(resources, rc::kMenu, "MAIN");
  ASSERT_NE(menu, nullptr);
  Expected expected;
  expected.word(0).word(0);                            // header: version, offset
  expected.word(0x0010).text("&File");                 // MF_POPUP, no id
  expected.word(0x0000).word(100).text("&Open");       // command item
  expected.word(0x0080).word(0).text("");              // separator, last of the pop-up
  expected.word(0x0080 | 0x0001).word(101).text("&Go!");  // last on the bar, grayed
  EXPECT_EQ(menu->data, expected.bytes);
}

TEST(RcDialog, HeaderFontAndItemsOnDwordBoundaries) {
  auto resources = compile(R"(
    7 DIALOG 10, 20, 100, 50
    STYLE 0x80C00000
    CAPTION "Hi"
    FONT 8, "Tiny"
    BEGIN
      CONTROL "A", 1, "Button", 0x00010001, 1, 2, 30, 14
      CONTROL "", -1, "MyClass", 0, -3, 4, 5, 6, 0x200
    END)");
  const auto* dialog = find(resources, rc::kDialog, "", 7);
  ASSERT_NE(dialog, nullptr);
  Expected expected;
  expected.dword(0x80C00000 | 0x40).dword(0).word(2).word(10).word(20).word(100).word(50);  // DS_SETFONT added
  expected.word(0).word(0).text("Hi").word(8).text("Tiny");
  expected.pad_to(4).dword(0x50010001).dword(0).word(1).word(2).word(30).word(14).word(1);  // visible child
  expected.word(0xFFFF).word(0x0080).text("A").word(0);
  expected.pad_to(4).dword(0x50000000).dword(0x200).word(0xFFFD).word(4).word(5).word(6).word(0xFFFF);
  expected.text("MyClass").text("").word(0);
  EXPECT_EQ(dialog->data, expected.bytes);
}

TEST(RcDialog, DefaultsWithoutStyleCaptionOrFont) {
  auto resources = compile("d DIALOG 0, 0, 10, 10 BEGIN END");
  const auto* dialog = find(resources, rc::kDialog, "D");
  ASSERT_NE(dialog, nullptr);
  Expected expected;
  expected.dword(0x80880000).dword(0).word(0).word(0).word(0).word(10).word(10).word(0).word(0).word(0);
  EXPECT_EQ(dialog->data, expected.bytes);
}

TEST(RcStrings, BlocksOfSixteenNumberedIdOver16PlusOne) {
  auto resources = compile(R"(
    STRINGTABLE
    BEGIN
      17, "ab"
      31 "say ""hi""\n"
    END
    STRINGTABLE { 40, "x" })");
  const auto* block = find(resources, rc::kString, "", 2);  // ids 16-31
  ASSERT_NE(block, nullptr);
  Expected expected;
  expected.word(0).word(2).word('a').word('b');
  for (int slot = 2; slot < 15; ++slot) expected.word(0);
  expected.word(9);
  for (char c : std::string("say \"hi\"\n")) expected.word(static_cast<unsigned char>(c));
  EXPECT_EQ(block->data, expected.bytes);
  ASSERT_NE(find(resources, rc::kString, "", 3), nullptr);  // ids 32-47
  EXPECT_EQ(find(resources, rc::kString, "", 1), nullptr);  // no strings, no block
}

Bytes tiny_icon_file() {
  // One 2x2 1-bit image: BITMAPINFOHEADER, 2 palette entries, XOR and AND rows.
  Expected image;
  image.dword(40).dword(2).dword(4).word(1).word(1).dword(0).dword(0).dword(0).dword(0).dword(0).dword(0);
  image.dword(0).dword(0xFFFFFF).dword(0x80000000).dword(0x40000000).dword(0).dword(0);
  Expected file;
  file.word(0).word(1).word(1);
  file.bytes.push_back(2);
  file.bytes.push_back(2);
  file.bytes.push_back(2);
  file.bytes.push_back(0);
  file.word(0).word(0).dword(static_cast<std::uint32_t>(image.bytes.size())).dword(22);  // planes, depth left 0
  file.bytes.insert(file.bytes.end(), image.bytes.begin(), image.bytes.end());
  return file.bytes;
}

TEST(RcIcon, GroupDirectoryNamesTheImageById) {
  Bytes file = tiny_icon_file();
  auto resources = compile("APP ICON \"app.ico\"\nOTHER ICON \"app.ico\"", {{"app.ico", file}});
  const auto* image = find(resources, rc::kIcon, "", 1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->data, Bytes(file.begin() + 22, file.end()));
  const auto* group = find(resources, rc::kGroupIcon, "OTHER");
  ASSERT_NE(group, nullptr);
  Expected expected;
  expected.word(0).word(1).word(1);
  expected.bytes.insert(expected.bytes.end(), {2, 2, 2, 0});
  // Planes and depth come from the bitmap header when the file leaves them 0.
  expected.word(1).word(1).dword(static_cast<std::uint32_t>(image->data.size())).word(2);
  EXPECT_EQ(group->data, expected.bytes);
}

}  // namespace
