// win32.h as the Windows build sees it (cmake/windows.cmake puts this folder first on
// the include path): the system's own <windows.h> and the msvcrt names our code uses.
// Elsewhere platform/include/win32.h gathers our Win32 stand-in instead.
#pragma once

#include "win32/native.h"
