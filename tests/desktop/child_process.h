// Programs the desktop tests start: an X server, a window manager, the program, and the
// X tools that drive and photograph it. Every wait has a deadline and every child is
// ended when its owner goes, so a test can fail but never hang.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace desktop_test {

using Environment = std::map<std::string, std::string>;

class ChildProcess {
 public:
  ChildProcess() = default;
  // Starts argv[0] (searched on PATH) with this process's environment plus `extra`.
  // `output_fd`, when not -1, becomes the child's descriptor 3; `error_fd` its stderr.
  ChildProcess(const std::vector<std::string>& argv, const Environment& extra, int output_fd = -1, int error_fd = -1);
  ~ChildProcess();
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;

  bool started() const { return pid_ > 0; }
  int pid() const { return pid_; }
  // The exit status once ended within `timeout`, or -1 (still running) / -2 (killed by a signal).
  int wait(std::chrono::milliseconds timeout);
  bool running();
  // SIGTERM, then SIGKILL if it has not ended within a second.
  void stop();

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

// Runs a tool to its end (at most `timeout`) and returns what it printed; *status gets
// its exit status (-1 when it had to be killed).
std::string run_tool(const std::vector<std::string>& argv, const Environment& extra,
                     std::chrono::milliseconds timeout = std::chrono::seconds(20), int* status = nullptr);

}  // namespace desktop_test
