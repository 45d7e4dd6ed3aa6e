// Drive letters. Win32 paths name a drive ("c:\qzt1A2B.tmp"); this platform maps each
// letter to a host directory. The default table is A: the temporary directory, B: the
// home directory, C: the working directory, then D: onward the other writable mounted
// file systems. TORVEX_DRIVES ("c=/tmp/x;d=/mnt/y") replaces the whole table.
#pragma once

#include <string>
#include <vector>

#include "win32.h"

namespace win32::kernel {

struct Drive {
  char letter;            // lower case, 'a'..'z'
  std::string directory;  // absolute host path, no trailing slash (except "/")
};

// The drives in letter order.
std::vector<Drive> drive_list();

struct HostPath {
  std::string path;     // the host path, valid when error is NO_ERROR
  DWORD error = NO_ERROR;
};

// Translates a Win32 path: a drive letter (either case) maps through the table, the
// rest of the path is made relative to that drive's directory with "." and ".." resolved
// so it never climbs above the drive's root; backslashes become slashes. A path without
// a drive letter stays relative to the process's working directory. Fails with
// ERROR_PATH_NOT_FOUND for an unknown drive and ERROR_BAD_NETPATH for a network name.
HostPath to_host_path(const char* win32_path);

// Builds the table again from the environment (tests change TORVEX_DRIVES).
void reload_drive_table();

}  // namespace win32::kernel
