// Every kept fuzz input goes through its fuzz target's code in the ordinary suite: the
// seed corpora (fuzz/corpus/TARGET) and each input that once made a target fail
// (fuzz/regressions/TARGET). Under `make asan` a read outside the bytes fails here too.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/fuzz_entries.h"

namespace {

// __FILE__ is relative to the build folder when the compiler got a relative path.
std::filesystem::path fuzz_folder() {
  std::filesystem::path source = __FILE__;
  if (source.is_relative())
    source = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / source;
  return source.parent_path() / "../../fuzz";
}

struct Target {
  const char* name;
  void (*run)(const std::uint8_t*, std::size_t);
};
const Target kTargets[] = {{"rc_script", fuzz::rc_script},
                           {"dialog_template", fuzz::dialog_template},
                           {"menu_template", fuzz::menu_template},
                           {"resource_image", fuzz::resource_image}};

// Replays every file of fuzz/KIND/TARGET; returns how many there were.
int replay(const char* kind, const Target& target) {
  std::filesystem::path folder = fuzz_folder() / kind / target.name;
  if (!std::filesystem::is_directory(folder)) return 0;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    SCOPED_TRACE(entry.path().string());
    // The fuzzer hands over a buffer of exactly the input's size; so does this.
    std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    target.run(exact.data(), exact.size());
    ++count;
  }
  return count;
}

TEST(FuzzCorpus, EverySeedRunsCleanly) {
  for (const Target& target : kTargets) EXPECT_GT(replay("corpus", target), 0) << target.name << " has no seeds";
}

TEST(FuzzCorpus, EveryPastFindingRunsCleanly) {
  for (const Target& target : kTargets) replay("regressions", target);
}

}  // namespace
