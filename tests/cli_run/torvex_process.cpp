#include "torvex_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

extern char** environ;

namespace cli_run {
namespace fs = std::filesystem;

void TorvexTest::SetUp() {
  // The test program lives in build/tests; the program in build/app.
  program_ = fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "app" / "torvex";
  if (!fs::exists(program_)) GTEST_SKIP() << program_ << " is not built";
  std::string pattern = (fs::temp_directory_path() / "torvex-run-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  for (const char* letter : {"a", "b", "c"}) fs::create_directory(folder_ / letter);
}

void TorvexTest::TearDown() {
  std::error_code ignored;
  if (!folder_.empty()) {
    fs::permissions(folder_, fs::perms::owner_all, ignored);
    fs::remove_all(folder_, ignored);
  }
}

Outcome TorvexTest::Run(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment,
                        const std::vector<std::pair<std::string, std::string>>& extraDrives) {
  return Finish(Start(args, environment, extraDrives));
}

int TorvexTest::Start(const std::vector<std::string>& args, const std::map<std::string, std::string>& environment,
                      const std::vector<std::pair<std::string, std::string>>& extraDrives) {
  std::map<std::string, std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    std::size_t equals = entry.find('=');
    if (equals != std::string::npos) env[entry.substr(0, equals)] = entry.substr(equals + 1);
  }
  // Three drives, so the program selects the third, c:, at start as it does by default.
  std::string drives;
  for (const char* letter : {"a", "b", "c"}) drives += std::string(letter) + "=" + (folder_ / letter).string() + ";";
  for (const auto& [letter, directory] : extraDrives) drives += letter + "=" + directory + ";";
  env["TORVEX_DRIVES"] = drives;
  for (const auto& [name, value] : environment) env[name] = value;
  std::vector<std::string> envText;
  for (const auto& [name, value] : env) envText.push_back(name + "=" + value);

  std::vector<std::string> argvText = {program_.string()};
  argvText.insert(argvText.end(), args.begin(), args.end());
  std::vector<char*> argv, envp;
  for (auto& a : argvText) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);

  fs::path outPath = folder_ / ".stdout", errPath = folder_ / ".stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  // The program's own working directory is the test's folder: nothing lands elsewhere.
  posix_spawn_file_actions_addchdir_np(&actions, folder_.c_str());
  // Ctrl+C reaches the program as from a terminal, whatever this process inherited.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t defaults;
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGINT);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
  pid_t pid = 0;
  int error = posix_spawn(&pid, program_.c_str(), &actions, &attributes, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    ADD_FAILURE() << "cannot start " << program_;
    return -1;
  }
  return pid;
}

std::string TorvexTest::ErrSoFar() const { return Read(folder_ / ".stderr"); }

Outcome TorvexTest::Finish(int pid) {
  Outcome outcome;
  if (pid <= 0) return outcome;
  fs::path outPath = folder_ / ".stdout", errPath = folder_ / ".stderr";
  int wstatus = 0;
  while (waitpid(pid, &wstatus, 0) < 0) {
  }
  outcome.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  outcome.out = Read(outPath);
  outcome.err = Read(errPath);
  fs::remove(outPath);
  fs::remove(errPath);
  return outcome;
}

std::string TorvexTest::Read(const fs::path& path) const {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void TorvexTest::Write(const fs::path& path, const std::string& text) const {
  std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> TorvexTest::FilesInFolder() const {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder_))
    if (entry.is_regular_file()) files.push_back(fs::relative(entry.path(), folder_).string());
  return files;
}

}  // namespace cli_run
