// The drive text comes from the drive list, the command line or a caller's own code, so it
// is checked here rather than trusted: a path that is not a mapped drive's root would put
// the scratch file somewhere the person never chose.
#include "engine/disk_drive.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

#include "engine/disknt.h"

namespace {

// The bytes free to us on the drive. A drive that reports no size at all (0 bytes of 0:
// a file system held in memory that grows until memory runs out, as ramfs does) has no
// limit we can know, and `limited` is false; its space is left to the test to find.
bool AvailableBytes(const char* drive, std::uint64_t& available, bool& limited, DWORD& error) {
  ULARGE_INTEGER free{}, total{};
  if (!GetDiskFreeSpaceExA(drive, &free, &total, nullptr)) {
    error = GetLastError();
    if (error == NO_ERROR) error = ERROR_GEN_FAILURE;
    return false;
  }
  available = free.QuadPart;
  limited = total.QuadPart != 0;
  return true;
}

}  // namespace

DWORD CheckDiskDrive(const char* drive) {
  if (drive == nullptr || *drive == '\0') return ERROR_INVALID_DRIVE;
  std::size_t length = strnlen(drive, kDiskDriveLength);
  if (length >= kDiskDriveLength) return ERROR_FILENAME_EXCED_RANGE;
  unsigned char letter = static_cast<unsigned char>(drive[0]);
  if (!std::isalpha(letter) || letter > 0x7F || drive[1] != ':') return ERROR_INVALID_NAME;
  if (length > 3 || (length == 3 && drive[2] != '\\')) return ERROR_INVALID_NAME;
  DWORD bit = 1u << (std::tolower(letter) - 'a');
  if (!(GetLogicalDrives() & bit)) return ERROR_INVALID_DRIVE;
  return NO_ERROR;
}

std::uint64_t DiskSpaceNeeded(std::int64_t blocks) {
  if (blocks <= 0) return 0;
  return (static_cast<std::uint64_t>(blocks) + 1) * kDiskBlockSize;
}

std::uint64_t DiskSpaceUsable(std::uint64_t available) {
  std::uint64_t margin = std::max(available / 64, kDiskSpaceMinimumMargin);
  return available > margin ? available - margin : 0;
}

DWORD CheckDiskSpace(const char* drive, std::int64_t blocks) {
  std::uint64_t available = 0;
  bool limited = true;
  DWORD error = NO_ERROR;
  if (!AvailableBytes(drive, available, limited, error)) return error;
  if (!limited) return NO_ERROR;
  return DiskSpaceNeeded(blocks) <= DiskSpaceUsable(available) ? NO_ERROR : ERROR_DISK_FULL;
}

std::int64_t DiskBlocksThatFit(const char* drive) {
  if (CheckDiskDrive(drive) != NO_ERROR) return -1;
  std::uint64_t available = 0;
  bool limited = true;
  DWORD error = NO_ERROR;
  if (!AvailableBytes(drive, available, limited, error) || !limited) return -1;
  std::uint64_t blocks = DiskSpaceUsable(available) / kDiskBlockSize;
  blocks = blocks > 0 ? blocks - 1 : 0;  // room for the block a random write adds
  return static_cast<std::int64_t>(std::min<std::uint64_t>(blocks, std::numeric_limits<std::int32_t>::max()));
}
