// GetDiskFreeSpaceExA: the space of the host file system that holds a drive's directory.
#include <sys/statvfs.h>

#include <cerrno>
#include <string>

#include "kernel/drive_table.h"
#include "kernel/file_errors.h"

using namespace win32::kernel;

BOOL WINAPI GetDiskFreeSpaceExA(LPCSTR lpDirectoryName, PULARGE_INTEGER lpFreeBytesAvailableToCaller,
                                PULARGE_INTEGER lpTotalNumberOfBytes, PULARGE_INTEGER lpTotalNumberOfFreeBytes) {
  // Null means the current directory's disk.
  HostPath host = to_host_path(lpDirectoryName != nullptr ? lpDirectoryName : ".");
  if (host.error != NO_ERROR) {
    SetLastError(host.error);
    return FALSE;
  }
  struct statvfs space;
  if (::statvfs(host.path.c_str(), &space) != 0) {
    // The name given is a directory, so a missing one is a path not found.
    SetLastError(errno == ENOENT ? ERROR_PATH_NOT_FOUND : error_from_errno(errno, host.path));
    return FALSE;
  }
  ULONGLONG unit = space.f_frsize != 0 ? space.f_frsize : space.f_bsize;
  if (lpFreeBytesAvailableToCaller) lpFreeBytesAvailableToCaller->QuadPart = unit * space.f_bavail;
  if (lpTotalNumberOfBytes) lpTotalNumberOfBytes->QuadPart = unit * space.f_blocks;
  if (lpTotalNumberOfFreeBytes) lpTotalNumberOfFreeBytes->QuadPart = unit * space.f_bfree;
  SetLastError(NO_ERROR);
  return TRUE;
}
