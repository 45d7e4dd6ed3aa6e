// A file that is replaced only by complete contents: the text goes to a temporary file in
// the same directory, which is then renamed over the target. Opening early tells a person
// at once that the place cannot be written, before a long run; a file that is never
// committed leaves nothing behind and the old target untouched.
#pragma once

#include <string>

namespace cli {

class AtomicFile {
 public:
  AtomicFile() = default;
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;
  ~AtomicFile();  // removes the temporary file unless committed

  // Creates the temporary file beside `path`. Returns an error line, empty on success.
  std::string Open(const std::string& path);

  // Writes `contents`, flushes it to the device and renames it over the target. Returns an
  // error line, empty on success; on failure the target is as it was.
  std::string Commit(const std::string& contents);

  // The same, for contents that something else has written to TemporaryPath() by name.
  std::string CommitWritten();

  // Drops the temporary file; the target is as it was.
  void Discard();

  const std::string& TemporaryPath() const { return temporary_; }

 private:
  std::string target_;
  std::string temporary_;
  int fd_ = -1;
};

}  // namespace cli
