#include "private_ramfs.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace cli_run {
namespace {

// Exit statuses of the child that say which step was refused.
constexpr int kNoNamespace = 10;
constexpr int kNoMount = 11;

bool WriteProcFile(const char* path, const std::string& text) {
  int descriptor = ::open(path, O_WRONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  bool written = ::write(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
  ::close(descriptor);
  return written;
}

bool EnterOwnMountNamespace() {
  uid_t uid = ::getuid();
  gid_t gid = ::getgid();
  if (::unshare(CLONE_NEWNS) != 0) {
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
    // Inside, this user is root of its namespace and may mount what such a root may.
    if (!WriteProcFile("/proc/self/setgroups", "deny") ||
        !WriteProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
        !WriteProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1"))
      return false;
  }
  // Nothing mounted here may reach the machine's own mount table.
  return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

}  // namespace

std::string WithPrivateRamfs(const std::filesystem::path& folder, const std::function<nlohmann::json()>& work,
                             nlohmann::json& result) {
  int channel[2];
  if (::pipe2(channel, O_CLOEXEC) != 0) return std::string("no pipe: ") + std::strerror(errno);
  pid_t child = ::fork();
  if (child < 0) return std::string("cannot fork: ") + std::strerror(errno);
  if (child == 0) {
    ::close(channel[0]);
    if (!EnterOwnMountNamespace()) ::_exit(kNoNamespace);
    if (::mount("ramfs", folder.c_str(), "ramfs", 0, nullptr) != 0) ::_exit(kNoMount);
    std::string text = work().dump();
    for (std::size_t sent = 0; sent < text.size();) {
      ssize_t n = ::write(channel[1], text.data() + sent, text.size() - sent);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    ::_exit(0);
  }
  ::close(channel[1]);
  std::string text;
  char chunk[4096];
  for (ssize_t n; (n = ::read(channel[0], chunk, sizeof chunk)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    text.append(chunk, static_cast<std::size_t>(n));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNoNamespace)
    return "no mount namespace of our own here (neither root nor user namespaces)";
  if (WIFEXITED(status) && WEXITSTATUS(status) == kNoMount) return "cannot mount a ramfs in our own namespace";
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the child with the ramfs did not finish";
  result = nlohmann::json::parse(text, nullptr, false);
  return result.is_discarded() ? "the child with the ramfs sent no result" : "";
}

}  // namespace cli_run
