#include "kernel/file_errors.h"

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

namespace win32::kernel {
namespace {

bool parent_directory_exists(const std::string& host_path) {
  std::filesystem::path parent = std::filesystem::path(host_path).parent_path();
  if (parent.empty()) return true;  // relative to the working directory
  struct stat info;
  return ::stat(parent.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

DWORD error_from_errno(int error_number, const std::string& host_path) {
  switch (error_number) {
    case ENOENT:
      return parent_directory_exists(host_path) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    case ENOTDIR:
      return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY:
      return ERROR_ACCESS_DENIED;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case ELOOP:
      return ERROR_CANT_RESOLVE_FILENAME;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EMFILE:
    case ENFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case EFAULT:
      return ERROR_NOACCESS;
    default:
      return ERROR_GEN_FAILURE;
  }
}

}  // namespace win32::kernel
