// A fresh host folder mapped as drive T: for one bench program. The drive table reads
// TORVEX_DRIVES once, at the first drive call, so a ScratchFolder must be made before
// any Win32 file call. The folder and whatever is left in it go when the object does.
#pragma once

#include <filesystem>
#include <string>

namespace bench {

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  static constexpr const char* kDrive = "T:";
  const std::filesystem::path& path() const { return path_; }
  // The files in the folder right now.
  std::size_t file_count() const;
  // The size of the only file in the folder, or -1 when there is not exactly one.
  long long only_file_size() const;

 private:
  std::filesystem::path path_;
};

}  // namespace bench
