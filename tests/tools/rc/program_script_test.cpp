// The program's own resource script compiles to the blobs the program depends on.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "rc_test_support.h"

namespace {

// __FILE__ is relative to the build folder when the compiler was given a relative path,
// and the tests do not run there: anchor it at the build folder, two up from this program.
std::filesystem::path resources_folder() {
  std::filesystem::path source = __FILE__;
  if (source.is_relative())
    source = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / source;
  return source.parent_path() / "../../../resources";
}

std::vector<rc::CompiledResource> compile_program_script() {
  std::filesystem::path folder = resources_folder();
  std::ifstream in(folder / "torvex.rc", std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), {});
  return rc::compile_script(text, "torvex.rc", rc::folder_reader(folder.string()));
}

Bytes prefix(const Bytes& bytes, std::size_t count) { return Bytes(bytes.begin(), bytes.begin() + std::min(count, bytes.size())); }

TEST(ProgramScript, BenchDialogHeaderAndFirstControl) {
  auto resources = compile_program_script();
  const auto* dialog = find(resources, rc::kDialog, "BENCHDLG");
  ASSERT_NE(dialog, nullptr);
  Expected expected;
  // WS_POPUP | WS_CLIPSIBLINGS, 18 controls at (1, 38), 132 x 109; no menu, class, title or font.
  expected.dword(0x84000000).dword(0).word(18).word(1).word(38).word(132).word(109).word(0).word(0).word(0);
  // "Disk Drive:", id 100, right-aligned static at (2, 2), 37 x 12.
  expected.pad_to(4).dword(0x50000002).dword(0).word(2).word(2).word(37).word(12).word(100);
  expected.word(0xFFFF).word(0x0082).text("Disk Drive:").word(0);
  EXPECT_EQ(prefix(dialog->data, expected.bytes.size()), expected.bytes);

  // The drive list is the last item: a list box with id 10000 and no text.
  Expected last;
  last.dword(0x50A00003).dword(0).word(40).word(0).word(27).word(16).word(10000).word(0xFFFF).word(0x0083).text("").word(0);
  ASSERT_GE(dialog->data.size(), last.bytes.size());
  EXPECT_EQ(Bytes(dialog->data.end() - static_cast<long>(last.bytes.size()), dialog->data.end()), last.bytes);
  EXPECT_EQ((dialog->data.size() - last.bytes.size()) % 4, 0u);
}

TEST(ProgramScript, AboutDialogHasItsCaption) {
  auto resources = compile_program_script();
  const auto* dialog = find(resources, rc::kDialog, "ABOUT");
  ASSERT_NE(dialog, nullptr);
  Expected expected;
  expected.dword(0x84C80080).dword(0).word(5).word(30).word(16).word(132).word(90).word(0).word(0).text("About QUIRVEL");
  expected.pad_to(4).dword(0x50010001).dword(0).word(94).word(70).word(30).word(14).word(1);
  expected.word(0xFFFF).word(0x0080).text("OK").word(0);
  EXPECT_EQ(prefix(dialog->data, expected.bytes.size()), expected.bytes);
}

TEST(ProgramScript, MainMenuStartsWithFileAndASeparator) {
  auto resources = compile_program_script();
  const auto* menu = find(resources, rc::kMenu, "MAINMENUBAR");
  ASSERT_NE(menu, nullptr);
  Expected expected;
  expected.word(0).word(0).word(0x0010).text("&File").word(0).word(0).text("").word(0).word(4000).text("&Save");
  EXPECT_EQ(prefix(menu->data, expected.bytes.size()), expected.bytes);
  // Run! sits on the bar as a command; Help is the last pop-up, About its last item.
  Expected tail;
  tail.word(0).word(4004).text("&Run!").word(0x0010 | 0x0080).text("&Help").word(0x0080).word(4005).text("&About");
  ASSERT_GE(menu->data.size(), tail.bytes.size());
  EXPECT_EQ(Bytes(menu->data.end() - static_cast<long>(tail.bytes.size()), menu->data.end()), tail.bytes);
}

TEST(ProgramScript, MessageStringsShareBlock251) {
  auto resources = compile_program_script();
  const auto* block = find(resources, rc::kString, "", 4000 / 16 + 1);
  ASSERT_NE(block, nullptr);
  Expected expected;
  for (int slot = 0; slot < 4000 % 16; ++slot) expected.word(0);
  for (const char* text : {"Cannot run ", "Cannot create dialog box ", "Cannot load menu ", "Cannot load icon ",
                           "Cannot load bitmap "}) {
    expected.word(static_cast<std::uint16_t>(std::string(text).size()));
    for (char c : std::string(text)) expected.word(static_cast<unsigned char>(c));
  }
  for (int slot = 4005 % 16; slot < 16; ++slot) expected.word(0);
  EXPECT_EQ(block->data, expected.bytes);
}

TEST(ProgramScript, IconIsOne32By32SixteenColourImage) {
  auto resources = compile_program_script();
  const auto* group = find(resources, rc::kGroupIcon, "QUIRVEL");
  ASSERT_NE(group, nullptr);
  Expected expected;
  expected.word(0).word(1).word(1);
  expected.bytes.insert(expected.bytes.end(), {32, 32, 16, 0});
  expected.word(1).word(4).dword(744).word(1);
  EXPECT_EQ(group->data, expected.bytes);
  const auto* image = find(resources, rc::kIcon, "", 1);
  ASSERT_NE(image, nullptr);
  ASSERT_EQ(image->data.size(), 744u);
  EXPECT_EQ(image->data[0], 40);   // BITMAPINFOHEADER
  EXPECT_EQ(image->data[8], 64);   // height counts the XOR and AND halves
  EXPECT_EQ(image->data[14], 4);   // bits per pixel
}

}  // namespace
