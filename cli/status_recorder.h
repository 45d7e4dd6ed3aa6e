// Every text the program's status line receives, as it receives it. A hook on the GUI
// thread sees each WM_SETTEXT sent to the status control (the run command's own texts and
// the worker threads' lines alike), so no text is missed however quickly the next follows,
// and none is read by polling a thread that is busy measuring.
#pragma once

#include <win32.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

#include "cli/run_record.h"

namespace cli {

class StatusRecorder {
 public:
  // Installs the hook for the thread that owns `statusControl`. One recorder at a time.
  bool Install(HWND statusControl);
  void Uninstall();

  // Forgets the lines so far and counts time from now.
  void Restart();

  // Waits up to `timeout` for lines beyond the first `seen` (or for the GUI thread to be
  // parked), and returns all lines so far.
  std::vector<StatusLine> WaitBeyond(std::size_t seen, std::chrono::milliseconds timeout);

  // From now on, once `requested` says so, the hook parks the GUI thread at its next status
  // line that does not fall inside a disk test: between "Running Disk Benchmark" and the
  // test's total line a scratch file may exist, and the test's delete phase must come first.
  // The parked thread does no more work; the process is expected to end.
  void ParkWhen(bool (*requested)());
  bool Parked() const;
};

}  // namespace cli
