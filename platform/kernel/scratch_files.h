// The temporary files this process made with GetTempFileNameA and has not deleted yet.
// Knowing them lets the platform do two things for them: open them only if the name still
// names the very file it created (not a link or a file swapped in since), and remove them
// when the process is ended by SIGINT, SIGTERM or SIGHUP, so no scratch file outlives it.
#pragma once

#include <string>

#include "kernel/file_sharing.h"

namespace win32::kernel {

// The most temporary files remembered at once; a file made beyond that is not remembered.
constexpr int kMaxLiveTempFiles = 64;

// Remembers a file just created at host_path, open as `descriptor`. On success the
// descriptor is kept open until the file is forgotten, so that its identity (device and
// inode) cannot pass to another file meanwhile. The first call installs the signal handlers
// (not for a signal the process ignores). Returns false, leaving the descriptor to the
// caller, when every slot is taken.
bool remember_temp_file(const std::string& host_path, int descriptor);

// Forgets the file at host_path, if it is remembered (it was deleted), closing its descriptor.
void forget_temp_file(const std::string& host_path);

// Whether host_path is a remembered temporary file; its identity is stored in `identity`.
bool remembered_temp_file(const std::string& host_path, FileIdentity& identity);

}  // namespace win32::kernel
