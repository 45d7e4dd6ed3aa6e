// win32.h on Windows: the system's own headers. Only what the program needs of them
// (WIN32_LEAN_AND_MEAN), and no min/max macros to break std::min and std::max.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef STRICT
#define STRICT
#endif

#include <windows.h>

#include "crt_native.h"
