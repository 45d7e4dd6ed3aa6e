#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace desktop_test {
namespace {

constexpr auto kPollPause = std::chrono::milliseconds(10);

std::vector<std::string> merged_environment(const Environment& extra) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    std::string key = entry.substr(0, entry.find('='));
    if (!extra.count(key)) env.push_back(entry);
  }
  for (const auto& [key, value] : extra)
    if (!value.empty()) env.push_back(key + "=" + value);  // an empty value removes the variable
  return env;
}

pid_t spawn(const std::vector<std::string>& argv, const Environment& extra, int fd3, int stdout_fd, int stderr_fd = -1) {
  std::vector<std::string> env = merged_environment(extra);
  std::vector<char*> args, envp;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const auto& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (fd3 >= 0) posix_spawn_file_actions_adddup2(&actions, fd3, 3);
  if (stdout_fd >= 0) posix_spawn_file_actions_adddup2(&actions, stdout_fd, 1);
  if (stderr_fd >= 0) posix_spawn_file_actions_adddup2(&actions, stderr_fd, 2);
  // Children get a process group of their own, so stopping one ends what it started.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = -1;
  if (posix_spawnp(&pid, args[0], &actions, &attributes, args.data(), envp.data()) != 0) pid = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const Environment& extra, int output_fd, int error_fd)
    : pid_(spawn(argv, extra, output_fd, -1, error_fd)) {}

ChildProcess::~ChildProcess() { stop(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : pid_(other.pid_), status_(other.status_) {
  other.pid_ = -1;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    stop();
    pid_ = other.pid_;
    status_ = other.status_;
    other.pid_ = -1;
  }
  return *this;
}

int ChildProcess::wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return status_;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
      pid_ = -1;
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
      return status_;
    }
    if (r < 0 || std::chrono::steady_clock::now() >= deadline) return -1;
    std::this_thread::sleep_for(kPollPause);
  }
}

bool ChildProcess::running() { return pid_ > 0 && wait(std::chrono::milliseconds(0)) == -1; }

void ChildProcess::stop() {
  if (pid_ <= 0) return;
  kill(-pid_, SIGTERM);
  if (wait(std::chrono::seconds(1)) == -1 && pid_ > 0) {
    kill(-pid_, SIGKILL);
    wait(std::chrono::seconds(5));
  }
}

std::string run_tool(const std::vector<std::string>& argv, const Environment& extra,
                     std::chrono::milliseconds timeout, int* status) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) return {};
  pid_t pid = spawn(argv, extra, -1, pipe_fds[1]);
  close(pipe_fds[1]);
  std::string out;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  bool timed_out = false;
  if (pid > 0) {
    for (;;) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) {
        timed_out = true;
        break;
      }
      pollfd p{pipe_fds[0], POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
      char buffer[65536];
      ssize_t n = read(pipe_fds[0], buffer, sizeof buffer);
      if (n <= 0) break;
      out.append(buffer, static_cast<size_t>(n));
    }
  }
  close(pipe_fds[0]);
  int result = -1;
  if (pid > 0) {
    if (timed_out) kill(-pid, SIGKILL);
    int raw = 0;
    if (waitpid(pid, &raw, 0) == pid && !timed_out && WIFEXITED(raw)) result = WEXITSTATUS(raw);
  }
  if (status) *status = result;
  return out;
}

}  // namespace desktop_test
