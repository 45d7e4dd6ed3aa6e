// Modules. The program is one executable with the system's libraries built in, so the
// module handles are fixed values: the executable at its classic load address and
// kernel32/user32/gdi32 at theirs. None of them exports anything looked up by name or
// ordinal, so GetProcAddress never finds an entry.
#include <strings.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kernel/modules.h"
#include "win32.h"

namespace {

struct KnownModule {
  const char* name;
  ULONG_PTR base;
};

constexpr ULONG_PTR kExecutableBase = 0x00400000;
constexpr KnownModule kSystemModules[] = {
    {"kernel32", 0x77E00000},
    {"user32", 0x77E70000},
    {"gdi32", 0x77ED0000},
};

// Windows NT 4.0, build 1381: major in the low byte, minor in the next, build in the
// high word with bit 31 clear (NT rather than the 16-bit-based systems).
constexpr DWORD kVersion = (1381u << 16) | (0u << 8) | 4u;

std::string executable_path() {
  char path[4096];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}

// "name", "name.dll" or "name.exe", compared without regard to case.
bool names_module(const std::string& requested, const std::string& module, const char* extension) {
  if (strcasecmp(requested.c_str(), module.c_str()) == 0) return true;
  return strcasecmp(requested.c_str(), (module + extension).c_str()) == 0;
}

std::string executable_base_name() {
  std::string path = executable_path();
  return path.substr(path.find_last_of('/') + 1);
}

bool is_known_module(HMODULE module) {
  auto base = reinterpret_cast<ULONG_PTR>(module);
  if (module == nullptr || base == kExecutableBase) return true;
  for (const KnownModule& known : kSystemModules)
    if (known.base == base) return true;
  return false;
}

}  // namespace

bool win32::kernel::is_executable_module(HMODULE module) {
  return module == nullptr || reinterpret_cast<ULONG_PTR>(module) == kExecutableBase;
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
  if (lpModuleName == nullptr) return reinterpret_cast<HMODULE>(kExecutableBase);
  std::string requested = lpModuleName;
  if (names_module(requested, executable_base_name(), ".exe")) return reinterpret_cast<HMODULE>(kExecutableBase);
  for (const KnownModule& known : kSystemModules)
    if (names_module(requested, known.name, ".dll")) return reinterpret_cast<HMODULE>(known.base);
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
  if (hModule != nullptr && reinterpret_cast<ULONG_PTR>(hModule) != kExecutableBase) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (lpFilename == nullptr || nSize == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  std::string path = executable_path();
  // Too small a buffer gets the truncated, terminated path and the buffer size.
  if (path.size() >= nSize) {
    std::memcpy(lpFilename, path.data(), nSize - 1);
    lpFilename[nSize - 1] = '\0';
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
  }
  std::memcpy(lpFilename, path.c_str(), path.size() + 1);
  SetLastError(NO_ERROR);
  return static_cast<DWORD>(path.size());
}

FARPROC WINAPI GetProcAddress(HMODULE hModule, LPCSTR lpProcName) {
  SetLastError(is_known_module(hModule) ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD WINAPI GetVersion() { return kVersion; }

VOID WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
  // Without a debugger attached the text goes nowhere; TORVEX_DEBUG_OUTPUT sends it to
  // the standard error stream instead.
  static const bool to_stderr = std::getenv("TORVEX_DEBUG_OUTPUT") != nullptr;
  if (to_stderr && lpOutputString) std::fputs(lpOutputString, stderr);
}
