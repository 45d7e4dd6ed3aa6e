// The window program, started on its own GUI thread in this process and worked from the
// calling thread as a person works it: fields typed into, a drive picked in the list, the
// Run! command chosen, message boxes read and answered, result fields read back. Only
// Win32 calls on the program's windows are used; nothing of its internals.
#pragma once

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <win32.h>

#include "cli/options.h"
#include "cli/run_record.h"
#include "cli/status_recorder.h"

namespace cli {

// The window program's own entry (its WinMain with a plain start's arguments).
using ProgramEntry = std::function<int()>;

struct RunEvents {
  std::function<void(const StatusLine&)> status;      // each status text as it appears
  std::function<void(const std::string&)> programSaid;  // a message box the program showed
  std::function<void()> stopping;  // once, when Ctrl+C is first seen during the run
};

class ProgramDriver {
 public:
  explicit ProgramDriver(ProgramEntry entry);  // starts the GUI thread
  ~ProgramDriver();                            // ends the program if it still runs

  // Waits for the main window and its panel. Returns an error line, empty on success.
  std::string WaitForWindow();

  // Types the asked-for inputs and picks the drive; reads back what the fields then hold.
  // An error here is the person's (a drive the program does not have): exit status 2.
  std::string Prepare(const Options& options, Inputs& inputs);

  // One Run!, from the command to the filled result fields. `inputs.threads` becomes the
  // count the program ran with (it caps it after its limit box). Nothing when Ctrl+C
  // parked the program before the run completed (see StopOnInterrupt); the program's
  // windows must then be left alone, as its GUI thread answers nothing any more.
  std::optional<Run> RunOnce(const RunEvents& events, Inputs& inputs);

  // A run with the Blocks field set to `blocks` for its duration, then set back, so that
  // the disk test of a discarded warm-up run costs next to nothing.
  std::optional<Run> RunWithBlocks(const RunEvents& events, Inputs inputs, int blocks);

  // From now on Ctrl+C (see interrupt.h) parks the program at its next status line
  // outside a disk test.
  void StopOnInterrupt();

  // A PNG of the main window as it stands.
  bool Screenshot(const std::string& path);

  // Chooses Exit and waits for the program to end; returns WinMain's result.
  int Exit();

 private:
  void AnswerMessageBoxes(const RunEvents& events);
  std::string Text(int id) const;

  std::thread gui_;
  std::atomic<bool> ended_{false};
  int exitCode_ = -1;
  HWND frame_ = nullptr;
  HWND panel_ = nullptr;
  DWORD guiThread_ = 0;
  StatusRecorder recorder_;
  std::vector<HWND> answered_;
};

}  // namespace cli
