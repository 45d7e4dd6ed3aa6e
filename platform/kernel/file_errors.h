// Host errno values as the Win32 error codes a file call reports.
#pragma once

#include <string>

#include "win32.h"

namespace win32::kernel {

// For ENOENT the answer depends on what is missing: the file itself
// (ERROR_FILE_NOT_FOUND) or a directory on the way (ERROR_PATH_NOT_FOUND).
DWORD error_from_errno(int error_number, const std::string& host_path);

}  // namespace win32::kernel
