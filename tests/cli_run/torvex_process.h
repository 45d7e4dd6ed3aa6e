// The real torvex executable, run as a person runs it from a shell: arguments, a few
// environment variables, and what it printed and returned. Each test gets a drive table
// of its own, so scratch files and results land in a fresh folder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace cli_run {

struct Outcome {
  int status = -1;  // exit status; 128 + n for a signal
  std::string out;
  std::string err;
};

class TorvexTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs torvex with the arguments; TORVEX_DRIVES maps a: b: c: to Folder()/a ... (and `extra`
  // entries such as {"d", "/some/dir"}), and `environment` adds or replaces variables.
  Outcome Run(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment = {},
              const std::vector<std::pair<std::string, std::string>>& extraDrives = {});

  // The same in two halves, for a test that acts while the program runs: Start returns
  // its process id (SIGINT at its default action, as from a terminal), ErrSoFar what it
  // has printed on stderr so far, Finish waits for it.
  int Start(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment = {},
            const std::vector<std::pair<std::string, std::string>>& extraDrives = {});
  std::string ErrSoFar() const;
  Outcome Finish(int pid);

  const std::filesystem::path& Folder() const { return folder_; }
  std::string Read(const std::filesystem::path& path) const;
  void Write(const std::filesystem::path& path, const std::string& text) const;
  // Every file in the folder, recursively, relative names.
  std::vector<std::string> FilesInFolder() const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path program_;
};

// The options that keep a run short: a small scratch file, one pass.
inline std::vector<std::string> Quick(std::vector<std::string> more = {}) {
  std::vector<std::string> args = {"--run", "--blocks", "64", "--repeat", "1"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

}  // namespace cli_run
