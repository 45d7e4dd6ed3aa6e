// Where the disk test may put its scratch file, and whether the file fits there. The file
// only ever goes into the root directory of a drive in the drive table, and only when the
// drive's free space, less a margin, holds the whole file.
#pragma once

#include <win32.h>

#include <cstdint>

// NO_ERROR when `drive` names a mapped drive's root: a letter in the drive table, a colon
// and at most one backslash ("c:", "c:\"). Otherwise the Win32 error that says why: null,
// empty or unmapped ERROR_INVALID_DRIVE, longer than the test keeps (15 characters)
// ERROR_FILENAME_EXCED_RANGE, anything else (a relative or deeper path) ERROR_INVALID_NAME.
DWORD CheckDiskDrive(const char* drive);

// The bytes a scratch file of `blocks` blocks may take: the blocks, and the one block past
// the end that a random write may add.
std::uint64_t DiskSpaceNeeded(std::int64_t blocks);

// The free space a scratch file may use on a drive with `available` bytes free to us: the
// space less a margin of 1/64 of it, at least kDiskSpaceMinimumMargin, left for the system.
std::uint64_t DiskSpaceUsable(std::uint64_t available);
constexpr std::uint64_t kDiskSpaceMinimumMargin = 1u << 20;

// NO_ERROR when a file of `blocks` blocks fits the drive (or the drive reports no size at
// all, as a memory file system without a limit does); ERROR_DISK_FULL when it does not, or
// the error of asking the drive for its space.
DWORD CheckDiskSpace(const char* drive, std::int64_t blocks);

// The largest block count (at most INT32_MAX) whose file fits the drive, or -1 when the
// drive is not one the test may use, its space cannot be read or it reports no size.
std::int64_t DiskBlocksThatFit(const char* drive);
