// Why a disk test fell short. The first failure of a test is kept as the phase's title and
// the system's sentence for the error ("Sequential Write Test: There is not enough space on
// the disk."); later failures are its consequences and add nothing.
#pragma once

#include <win32.h>

#include <string>

// Forgets the last test's failure; the disk test does this before its create phase.
void ClearDiskFailure();

// Notes that the phase titled `title` stopped on `error`, unless a failure is noted already.
void NoteDiskFailure(const char* title, DWORD error);

// The noted failure, empty when there is none.
const std::string& DiskFailureText();

// The system's sentence for an error code, without its line end; a generic sentence with
// the number when the system has none.
std::string SystemErrorText(DWORD error);
