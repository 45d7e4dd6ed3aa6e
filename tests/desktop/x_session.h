// A private X server (Xvfb on a display number it picks itself, 1024 x 768 like the
// headless screen) with a window manager, so that moves, focus and stacking work as on
// a desktop. Ended when the session goes. The present bench starts one too, without the
// manager.
#pragma once

#include <string>

#include "child_process.h"

namespace desktop_test {

class XSession {
 public:
  explicit XSession(const std::string& size = "1024x768", bool window_manager = true);
  ~XSession();

  bool ready() const { return !display_.empty(); }
  const std::string& display() const { return display_; }
  std::string failure() const { return failure_; }
  // DISPLAY for the programs started in this session.
  Environment environment() const { return {{"DISPLAY", display_}}; }

 private:
  bool wait_for_window_manager();

  ChildProcess server_;
  ChildProcess window_manager_;
  std::string display_;
  std::string failure_;
};

}  // namespace desktop_test
