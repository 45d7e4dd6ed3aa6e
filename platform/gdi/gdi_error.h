// The one place GDI reports a failure code to its caller's thread.
#pragma once

#include <win32.h>

namespace gdi {

constexpr DWORD kErrorInvalidHandle = 6;
constexpr DWORD kErrorNotEnoughMemory = 8;
constexpr DWORD kErrorInvalidParameter = 87;
constexpr DWORD kErrorInvalidCursorHandle = 1402;
constexpr DWORD kErrorInvalidIconHandle = 1403;
constexpr DWORD kErrorResourceNameNotFound = 1814;

void set_error(DWORD code);

}  // namespace gdi
