// Why the program's last disk test failed, as its engine records it: the one thing the
// command line asks of the program that its windows do not show as a separate field.
#pragma once

#include <string>

namespace cli {

// Empty when the last disk test had no failure. Call only while the GUI thread rests
// (after the run has ended), so the engine's record is not being written.
std::string LastDiskFailure();

// Whether a disk failure is the create phase's refusal of an unbuffered file: the drive's
// file system has no direct I/O.
bool IsDirectIoRefusal(const std::string& failure);

}  // namespace cli
