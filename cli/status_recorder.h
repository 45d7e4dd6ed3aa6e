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

  // Waits up to `timeout` for lines beyond the first `seen`, and returns all lines so far.
  std::vector<StatusLine> WaitBeyond(std::size_t seen, std::chrono::milliseconds timeout);
};

}  // namespace cli
