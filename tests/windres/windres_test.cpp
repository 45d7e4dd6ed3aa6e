// The program's resource script must mean the same to both resource compilers: the
// Windows build compiles it with MinGW's windres, the other build with tools/rc, and the
// dialog manager, menu loader and string and icon loaders of either system read the
// bytes that come out. So every resource (dialog and menu templates, string blocks, the
// icon and its group) must be byte for byte the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "compiler.h"
#include "res_file.h"

namespace windres_test {
namespace {

constexpr char kWindres[] = "x86_64-w64-mingw32-windres";

using Bytes = std::vector<std::uint8_t>;

// __FILE__ is relative to the build folder when the compiler got a relative path.
std::filesystem::path ResourcesFolder() {
  std::filesystem::path source = __FILE__;
  if (source.is_relative())
    source = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / source;
  return source.parent_path() / "../../resources";
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), {});
}

bool WindresInstalled() {
  return std::system((std::string(kWindres) + " --version > /dev/null 2>&1").c_str()) == 0;
}

// Compiles the script with windres into a .res file and reads it back.
std::vector<ResEntry> CompileWithWindres(const std::filesystem::path& script) {
  const std::filesystem::path out =
      std::filesystem::temp_directory_path() / ("torvex_windres_" + std::to_string(::getpid()) + ".res");
  const std::string command = std::string(kWindres) + " --input-format=rc --output-format=res -I \"" +
                              script.parent_path().string() + "\" \"" + script.string() + "\" \"" +
                              out.string() + "\"";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  auto entries = read_res(ReadFile(out));
  std::filesystem::remove(out);
  EXPECT_TRUE(entries.has_value()) << "windres wrote no well-formed resource file";
  return entries.value_or(std::vector<ResEntry>{});
}

std::vector<rc::CompiledResource> CompileWithOurs(const std::filesystem::path& script) {
  const Bytes text = ReadFile(script);
  return rc::compile_script(std::string(text.begin(), text.end()), script.filename().string(),
                            rc::folder_reader(script.parent_path().string()));
}

// Where two byte strings first differ, and a few bytes of each from there, in hex.
std::string FirstDifference(const Bytes& ours, const Bytes& theirs) {
  std::size_t at = 0;
  while (at < ours.size() && at < theirs.size() && ours[at] == theirs[at]) ++at;
  auto hex = [at](const Bytes& bytes) {
    std::string text;
    char pair[4];
    for (std::size_t i = at; i < bytes.size() && i < at + 16; ++i) {
      std::snprintf(pair, sizeof pair, "%02x ", bytes[i]);
      text += pair;
    }
    return text;
  };
  return "sizes " + std::to_string(ours.size()) + " and " + std::to_string(theirs.size()) + ", first difference at " +
         std::to_string(at) + ": tools/rc " + hex(ours) + "| windres " + hex(theirs);
}

TEST(WindresAgreement, EveryResourceIsTheSameBytes) {
  if (!WindresInstalled()) GTEST_SKIP() << kWindres << " is not installed (make deps installs it)";
  const std::filesystem::path script = ResourcesFolder() / "torvex.rc";
  ASSERT_TRUE(std::filesystem::exists(script)) << script;
  const std::vector<rc::CompiledResource> ours = CompileWithOurs(script);
  const std::vector<ResEntry> theirs = CompileWithWindres(script);

  int templates = 0;
  for (const rc::CompiledResource& resource : ours) {
    const std::string label = "type " + std::to_string(resource.type) + " " +
                              (resource.name.empty() ? "#" + std::to_string(resource.id) : resource.name);
    const ResEntry* match = nullptr;
    for (const ResEntry& entry : theirs) {
      if (entry.type == resource.type && entry.name == resource.name && entry.id == resource.id) match = &entry;
    }
    if (match == nullptr) {
      ADD_FAILURE() << label << " is missing from windres's output";
      continue;
    }
    EXPECT_TRUE(resource.data == match->data) << label << ": " << FirstDifference(resource.data, match->data);
    templates += resource.type == rc::kDialog || resource.type == rc::kMenu;
  }
  // BENCHDLG, ABOUT and MAINMENUBAR at least, and nothing windres has that we lack.
  EXPECT_GE(templates, 3);
  EXPECT_EQ(theirs.size(), ours.size());
}

}  // namespace
}  // namespace windres_test
