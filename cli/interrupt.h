// Ctrl+C during --run. The handler does one thing, async-signal-safe: it raises a flag.
// Everything else happens in ordinary threads: the status hook parks the program's GUI
// thread at its next status line outside a disk test (so the disk test's own delete phase
// has removed its scratch file), and the command line then prints the runs completed so
// far, marked incomplete, and exits with kExitInterrupted.
//
// The platform's cleanup stays as it is: it installs its own handler when the first
// scratch file is made and, finding ours, hands SIGINT on to it and leaves the file to the
// disk test, which always finishes. SIGTERM and SIGHUP keep the platform's behaviour of
// removing live scratch files and ending the process at once.
#pragma once

namespace cli {

// Catches SIGINT from now on, unless the process ignores it (started in the background
// with SIGINT ignored, say): then Ctrl+C is not ours to take.
void CatchInterrupt();

// Whether Ctrl+C has come since CatchInterrupt.
bool Interrupted();

}  // namespace cli
