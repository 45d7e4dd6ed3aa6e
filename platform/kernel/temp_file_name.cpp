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
#include "kernel/scratch_files.h"
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

// The host path of each candidate name. On a drive, the candidates differ only in their
// last component, so the directory is translated once and the component appended; a
// prefix with a separator in it, or a path without a drive, goes through the full
// translation each time.
class NameTranslation {
 public:
  NameTranslation(const std::string& directory, const char* prefix) {
    bool on_drive = directory.size() >= 2 && directory[1] == ':';
    bool plain_prefix = true;
    for (std::size_t i = 0; prefix != nullptr && i < kPrefixCharacters && prefix[i] != '\0'; ++i)
      plain_prefix = plain_prefix && prefix[i] != '\\' && prefix[i] != '/';
    if (!on_drive || !plain_prefix) return;
    // A sample name "<directory>\1.tmp": its host path up to the last separator is the
    // directory's, and its Win32 name up to "1.tmp" is every candidate's directory part.
    std::string sample = temp_file_name(directory, "", 1);
    HostPath base = to_host_path(sample.c_str());
    if (base.error != NO_ERROR) return;
    base_ = base.path.substr(0, base.path.rfind('/') + 1);
    name_start_ = sample.size() - std::strlen("1.tmp");
    fast_ = !base_.empty();
  }

  HostPath host_path(const std::string& name) const {
    if (!fast_) return to_host_path(name.c_str());
    return HostPath{base_ + name.substr(name_start_), NO_ERROR};
  }

 private:
  bool fast_ = false;
  std::string base_;
  std::size_t name_start_ = 0;
};

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

  // Start from the tick count and walk up to the first number whose file does not exist;
  // the exclusive create makes the claim atomic against other callers. The directory is
  // checked only when a create fails, so the usual call makes one file and no more.
  UINT start = GetTickCount() & kUniqueMask;
  if (start == 0) start = 1;
  UINT number = start;
  NameTranslation translation(directory, lpPrefixString);
  do {
    std::string name = temp_file_name(directory, lpPrefixString, number);
    HostPath host = translation.host_path(name);
    if (host.error != NO_ERROR) return fail(host.error);
    int descriptor = ::open(host.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor >= 0) {
      // Remembered so that opening it checks it is still this file, and so that a
      // process ended by a signal removes it.
      if (!remember_temp_file(host.path, descriptor)) ::close(descriptor);
      std::memcpy(lpTempFileName, name.c_str(), name.size() + 1);
      SetLastError(NO_ERROR);
      return number;
    }
    if (errno != EEXIST) {
      int error_number = errno;
      if (!is_directory(host_directory.path)) return fail(ERROR_DIRECTORY);
      return fail(error_from_errno(error_number, host.path));
    }
    number = number == kUniqueMask ? 1 : number + 1;
  } while (number != start);
  return fail(ERROR_FILE_EXISTS);
}
