#include "small_drive.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

SmallDrive::SmallDrive(const std::string& options, bool readOnly, const std::string& type) {
  std::string pattern = (std::filesystem::temp_directory_path() / "torvex-small-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    whyNot_ = std::string("no folder for the mount: ") + std::strerror(errno);
    return;
  }
  folder_ = pattern;
  unsigned long flags = readOnly ? MS_RDONLY : 0;
  if (::mount(type.c_str(), folder_.c_str(), type.c_str(), flags, options.c_str()) == 0) {
    mounted_ = true;
  } else {
    whyNot_ = "cannot mount a small " + type + " here (root is needed): " + std::strerror(errno);
  }
}

SmallDrive::~SmallDrive() {
  if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  std::error_code ignored;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
}

void SmallDrive::FillUp(const std::string& name) const {
  int descriptor = ::open((folder_ / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (descriptor < 0) return;
  std::vector<char> chunk(1 << 16, 'f');
  // Ever smaller writes take what the larger ones could not, down to a single byte.
  for (std::size_t size = chunk.size(); size > 0; size /= 2)
    while (::write(descriptor, chunk.data(), size) > 0) {
    }
  ::close(descriptor);
}

int SmallDrive::FilesOtherThan(const std::string& except) const {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    if (entry.path().filename() != except) ++count;
  return count;
}
