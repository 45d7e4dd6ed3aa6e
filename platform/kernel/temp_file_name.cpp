// GetTempFileNameA: "<path>\<up to 3 prefix chars><hex number>.tmp". The name is built
// from the Win32 path as given (a backslash added when it does not end in one), and only
// the file creation goes through the drive table.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "kernel/drive_table.h"
#include "kernel/file_errors.h"
#include "win32.h"

namespace win32::kernel {
namespace {

constexpr std::size_t kPrefixCharacters = 3;
constexpr std::size_t kLongestPath = MAX_PATH - 14;
constexpr UINT kUniqueMask = 0xFFFF;

std::string temp_file_name(const std::string& directory, const char* prefix, UINT unique) {
  std::string name = directory;
  if (name.empty() || (name.back() != '\\' && name.back() != '/')) name += '\\';
  if (prefix) name.append(prefix, strnlen(prefix, kPrefixCharacters));
  char number[16];
  std::snprintf(number, sizeof number, "%X.tmp", unique & kUniqueMask);
  return name + number;
}

bool is_directory(const std::string& host_path) {
  struct stat info;
  return ::stat(host_path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

UINT fail(DWORD error) {
  SetLastError(error);
  return 0;
}

}  // namespace
}  // namespace win32::kernel

using namespace win32::kernel;

UINT WINAPI GetTempFileNameA(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName) {
  if (lpPathName == nullptr || lpTempFileName == nullptr) return fail(ERROR_INVALID_PARAMETER);
  if (std::strlen(lpPathName) > kLongestPath) return fail(ERROR_BUFFER_OVERFLOW);
  const std::string directory = lpPathName;

  // With a number given, only the name is made: no file, no check.
  if (uUnique != 0) {
    std::string name = temp_file_name(directory, lpPrefixString, uUnique);
    std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
    return uUnique;
  }

  HostPath host_directory = to_host_path(directory.empty() ? "." : directory.c_str());
  if (host_directory.error != NO_ERROR) return fail(host_directory.error);
  if (!is_directory(host_directory.path)) return fail(ERROR_DIRECTORY);

  // Start from the tick count and walk up to the first number whose file does not exist;
  // the exclusive create makes the claim atomic against other callers.
  UINT start = GetTickCount() & kUniqueMask;
  if (start == 0) start = 1;
  UINT number = start;
  do {
    std::string name = temp_file_name(directory, lpPrefixString, number);
    HostPath host = to_host_path(name.c_str());
    if (host.error != NO_ERROR) return fail(host.error);
    int descriptor = ::open(host.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      ::close(descriptor);
      std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
      SetLastError(NO_ERROR);
      return number;
    }
    if (errno != EEXIST) return fail(error_from_errno(errno, host.path));
    number = number == kUniqueMask ? 1 : number + 1;
  } while (number != start);
  return fail(ERROR_FILE_EXISTS);
}
