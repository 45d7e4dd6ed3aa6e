#include "input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rc {
namespace {

// Closes the descriptor on every way out.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string reason_of(int error) {
  switch (error) {
    case ENOENT: return "does not exist";
    case EACCES: return "may not be read (permission denied)";
    case EISDIR: return "is a directory";
    default: return std::string("cannot be read: ") + std::strerror(error);
  }
}

}  // namespace

bool read_input_file(const std::string& path, std::size_t limit, std::vector<std::uint8_t>& contents,
                     std::string& reason) {
  contents.clear();
  // Non-blocking, so that opening a FIFO does not wait for a writer; what was opened is
  // then checked through the descriptor, so the file cannot change kind in between.
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.get() < 0) {
    reason = reason_of(errno);
    return false;
  }
  struct stat status {};
  if (::fstat(file.get(), &status) != 0) {
    reason = reason_of(errno);
    return false;
  }
  if (S_ISDIR(status.st_mode)) {
    reason = "is a directory";
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    reason = "is not a regular file";
    return false;
  }
  const std::string too_large = "is larger than " + std::to_string(limit) + " bytes";
  if (status.st_size < 0 || static_cast<std::uintmax_t>(status.st_size) > limit) {
    reason = too_large;
    return false;
  }
  // The size is read again as the bytes come: a file still growing is cut off at the
  // limit rather than followed.
  contents.resize(static_cast<std::size_t>(status.st_size));
  std::size_t have = 0;
  for (;;) {
    if (have == contents.size()) {
      if (have > limit) {
        contents.clear();
        reason = too_large;
        return false;
      }
      contents.resize(have + 4096);
    }
    ssize_t got = ::read(file.get(), contents.data() + have, contents.size() - have);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      contents.clear();
      reason = reason_of(errno);
      return false;
    }
    if (got == 0) break;
    have += static_cast<std::size_t>(got);
  }
  contents.resize(have);
  if (have > limit) {
    contents.clear();
    reason = too_large;
    return false;
  }
  return true;
}

}  // namespace rc
