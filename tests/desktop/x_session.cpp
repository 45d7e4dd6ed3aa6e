#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

namespace desktop_test {
namespace {

constexpr int kServerStartMs = 15000;
constexpr auto kManagerStart = std::chrono::seconds(30);
constexpr int kFirstDisplay = 100;
constexpr int kDisplaySpread = 800;
constexpr int kServerAttempts = 8;
constexpr auto kProbeWait = std::chrono::seconds(3);

// Display numbers some X server holds: a lock file, a socket file, or an abstract socket
// (a server in another mount namespace leaves only that, and clients would reach it).
std::set<int> displays_in_use() {
  std::set<int> used;
  std::ifstream sockets("/proc/net/unix");
  const std::string marker = "/tmp/.X11-unix/X";
  for (std::string line; std::getline(sockets, line);) {
    auto at = line.find(marker);
    if (at != std::string::npos) used.insert(std::atoi(line.c_str() + at + marker.size()));
  }
  for (int n = kFirstDisplay; n < kFirstDisplay + kDisplaySpread; ++n) {
    std::error_code ignored;
    if (std::filesystem::exists("/tmp/.X" + std::to_string(n) + "-lock", ignored) ||
        std::filesystem::exists(marker + std::to_string(n), ignored))
      used.insert(n);
  }
  return used;
}

// Starts Xvfb on `number`; true once it says it is ready (-displayfd writes the number).
bool start_server(ChildProcess& server, int number, const std::string& size) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  server = ChildProcess({"Xvfb", ":" + std::to_string(number), "-displayfd", "3", "-screen", "0", size + "x24",
                         "-nolisten", "tcp"},
                        {}, fds[1]);
  close(fds[1]);
  std::string said;
  pollfd p{fds[0], POLLIN, 0};
  while (server.started() && poll(&p, 1, kServerStartMs) > 0) {
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    said += c;
  }
  close(fds[0]);
  return said == std::to_string(number) && server.running();
}

}  // namespace

XSession::XSession(const std::string& size, bool window_manager) {
  // A number of our own, away from the usual ones and from parallel tests' numbers.
  int number = kFirstDisplay + static_cast<int>(getpid() % kDisplaySpread);
  bool up = false;
  for (int attempt = 0; attempt < kServerAttempts && !up; ++attempt) {
    std::set<int> used = displays_in_use();
    while (used.count(number)) number = kFirstDisplay + (number - kFirstDisplay + 1) % kDisplaySpread;
    up = start_server(server_, number, size);
    if (!up) {
      server_.stop();
      number = kFirstDisplay + (number - kFirstDisplay + 7) % kDisplaySpread;
    }
  }
  if (!up) {
    failure_ = "Xvfb did not start (is the xvfb package installed?)";
    return;
  }
  display_ = ":" + std::to_string(number);
  if (!window_manager) return;
  window_manager_ = ChildProcess({"openbox", "--sm-disable"}, environment());
  if (!wait_for_window_manager()) {
    failure_ = "openbox did not take the screen";
    display_.clear();
  }
}

XSession::~XSession() {
  window_manager_.stop();
  server_.stop();
}

// The manager names itself on the root window (_NET_SUPPORTING_WM_CHECK) before it has
// finished starting, and a window asking to be shown in between may never be shown (the
// program then waits for it for good). So the manager counts as up once a window of a
// probe program has been shown.
bool XSession::wait_for_window_manager() {
  auto deadline = std::chrono::steady_clock::now() + kManagerStart;
  auto until = [&](const std::vector<std::string>& tool, const char* answer,
                   std::chrono::steady_clock::time_point limit) {
    while (std::chrono::steady_clock::now() < limit && window_manager_.running()) {
      if (run_tool(tool, environment(), std::chrono::seconds(5)).find(answer) != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  };
  if (!until({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, "window id", deadline)) return false;
  // A probe that asked too early stays hidden: the next one asks again.
  constexpr char kProbe[] = "torvex-session-probe";
  while (std::chrono::steady_clock::now() < deadline) {
    ChildProcess probe({"xmessage", "-name", kProbe, "-title", kProbe, "-geometry", "+0+0", "probe"}, environment());
    bool shown = until({"xdotool", "search", "--onlyvisible", "--name", kProbe}, "\n",
                       std::min(deadline, std::chrono::steady_clock::now() + kProbeWait));
    probe.stop();
    if (shown) return true;
  }
  return false;
}

}  // namespace desktop_test
