// A small file system of its own for disk tests that need a drive to be full, to fill up
// or to be read-only: a tmpfs mounted on a fresh folder. Mounting needs root; where it is
// refused, `mounted()` is false and the test skips with the reason.
#pragma once

#include <filesystem>
#include <string>

class SmallDrive {
 public:
  // `options` as for mount(8), e.g. "size=4m" or adding "ro"; `type` another file system
  // kept in memory ("ramfs": no size limit at all).
  explicit SmallDrive(const std::string& options, bool readOnly = false, const std::string& type = "tmpfs");
  ~SmallDrive();
  SmallDrive(const SmallDrive&) = delete;
  SmallDrive& operator=(const SmallDrive&) = delete;

  bool mounted() const { return mounted_; }
  const std::string& whyNot() const { return whyNot_; }
  const std::filesystem::path& folder() const { return folder_; }
  // Writes a file that takes all the space left (as much as the drive will take).
  void FillUp(const std::string& name) const;
  // The files on the drive other than `except`.
  int FilesOtherThan(const std::string& except) const;

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
  std::string whyNot_;
};
