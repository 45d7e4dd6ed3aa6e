// The command-line mode as a whole: options in, the program run, results out, an exit
// status that scripts can act on.
#pragma once

#include "cli/program_driver.h"

namespace cli {

constexpr int kExitSuccess = 0;
constexpr int kExitError = 1;  // the program itself could not be started or driven
constexpr int kExitUsage = 2;
constexpr int kExitBenchmarkFailed = 3;
constexpr int kExitRegression = 4;      // --fail-below: slower than the saved result beyond it
constexpr int kExitInterrupted = 130;   // Ctrl+C: the runs so far were printed, marked incomplete

// Handles the options of argv (which must hold some: see HasOptions) and returns the
// process's exit status. `entry` starts the window program on the calling thread's behalf.
int Main(int argc, const char* const* argv, const ProgramEntry& entry);

}  // namespace cli
