// The executable module as the rest of the kernel sees it.
#pragma once

#include "win32.h"

namespace win32::kernel {

// The executable's module handle, or NULL (which names the executable too).
bool is_executable_module(HMODULE module);

}  // namespace win32::kernel
