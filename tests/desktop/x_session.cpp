#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <thread>

namespace desktop_test {
namespace {

constexpr int kServerStartMs = 15000;
constexpr auto kManagerStart = std::chrono::seconds(10);

}  // namespace

XSession::XSession() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) {
    failure_ = "no pipe";
    return;
  }
  // -displayfd: the server takes the first free display number and writes it to us, so
  // parallel tests never race for one.
  server_ = ChildProcess({"Xvfb", "-displayfd", "3", "-screen", "0", "1024x768x24", "-nolisten", "tcp"}, {}, fds[1]);
  close(fds[1]);
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (server_.started() && poll(&p, 1, kServerStartMs) > 0) {
    char c;
    if (read(fds[0], &c, 1) != 1 || c == '\n') break;
    number += c;
  }
  close(fds[0]);
  if (number.empty()) {
    failure_ = "Xvfb did not start (is the xvfb package installed?)";
    return;
  }
  display_ = ":" + number;
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

// The manager is up once the root window names it (_NET_SUPPORTING_WM_CHECK).
bool XSession::wait_for_window_manager() {
  auto deadline = std::chrono::steady_clock::now() + kManagerStart;
  while (std::chrono::steady_clock::now() < deadline) {
    std::string out = run_tool({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, environment(), std::chrono::seconds(5));
    if (out.find("window id") != std::string::npos) return true;
    if (!window_manager_.running()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

}  // namespace desktop_test
