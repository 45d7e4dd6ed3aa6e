#include "cli/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace cli {
namespace {

std::string Failure(const std::string& path, int error) { return "cannot write " + path + ": " + std::strerror(error); }

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file gets the usual 0666 less the umask; a replaced file keeps its own mode.
mode_t ModeFor(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

AtomicFile::~AtomicFile() { Discard(); }

std::string AtomicFile::Open(const std::string& path) {
  Discard();
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return Failure(path, EISDIR);
  std::string pattern = DirectoryOf(path) + "/." + NameOf(path) + ".XXXXXX";
  int fd = ::mkstemp(pattern.data());
  if (fd < 0) return Failure(path, errno);
  ::fchmod(fd, ModeFor(path));
  target_ = path;
  temporary_ = pattern;
  fd_ = fd;
  return "";
}

std::string AtomicFile::Commit(const std::string& contents) {
  if (fd_ < 0) return "cannot write " + target_ + ": not open";
  const char* data = contents.data();
  std::size_t left = contents.size();
  while (left > 0) {
    ssize_t written = ::write(fd_, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      int error = written < 0 ? errno : EIO;
      Discard();
      return Failure(target_, error);
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
  if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
    int error = errno;
    fd_ = -1;
    Discard();
    return Failure(target_, error);
  }
  fd_ = -1;
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    int error = errno;
    Discard();
    return Failure(target_, error);
  }
  temporary_.clear();
  return "";
}

std::string AtomicFile::CommitWritten() {
  if (fd_ < 0) return "cannot write " + target_ + ": not open";
  // Whoever wrote the file by name may have replaced ours: sync what the name holds now.
  int fd = ::open(temporary_.c_str(), O_RDONLY);
  bool synced = fd >= 0 && ::fsync(fd) == 0;
  int error = errno;
  if (fd >= 0) ::close(fd);
  if (!synced) {
    Discard();
    return Failure(target_, error);
  }
  ::close(fd_);
  fd_ = -1;
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error = errno;
    Discard();
    return Failure(target_, error);
  }
  temporary_.clear();
  return "";
}

void AtomicFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
}

}  // namespace cli
