// Win32 share modes. Every open file handle records what it does with the file (read,
// write) and what it lets others do; an open or delete that clashes with a handle
// already open fails with ERROR_SHARING_VIOLATION. The host does not enforce this, so
// the platform keeps the open handles per file itself.
#pragma once

#include <sys/types.h>

#include <compare>

#include "win32.h"

namespace win32::kernel {

struct FileIdentity {
  dev_t device;
  ino_t inode;
  auto operator<=>(const FileIdentity&) const = default;
};

// One open handle's claim on a file; registered for the handle's whole life.
class ShareClaim {
 public:
  ShareClaim() = default;
  ShareClaim(const ShareClaim&) = delete;
  ShareClaim& operator=(const ShareClaim&) = delete;
  ~ShareClaim();

  // Registers the claim unless it clashes with an open handle; false on a clash.
  // REQUIRES: not yet registered.
  bool try_register(FileIdentity file, DWORD access, DWORD share_mode);
  // Gives the claim up (when the handle is closed); nothing when not registered.
  void release();

 private:
  bool registered_ = false;
  unsigned long long id_ = 0;
};

// Whether every open handle of the file allows deleting it (FILE_SHARE_DELETE).
bool file_may_be_deleted(FileIdentity file);

}  // namespace win32::kernel
