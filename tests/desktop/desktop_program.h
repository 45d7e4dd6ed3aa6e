// The real program on a private X desktop, driven from outside with xdotool as a person
// would, photographed with xwd, and compared with the same program's headless pictures.
#pragma once

#include <map>
#include <string>

#include "child_process.h"
#include "picture.h"
#include "x_session.h"

namespace desktop_test {

// Where the main window and its parts lie, as the program itself reports on the
// headless screen (torvex_shot layout).
struct Layout {
  Area frame;
  std::map<std::string, Area> bar;  // by item text without '&': "File", "Run!", "Help"
  std::map<int, Area> fields;       // panel fields by control id
  bool valid() const { return frame.width() > 0 && bar.count("Run!") && bar.count("Help"); }
};

Layout headless_layout();
// The headless photograph of the whole screen in a state ("", "run" or "about").
Picture headless_screen(const std::string& state = "");

class DesktopProgram {
 public:
  DesktopProgram(const XSession& session, const Environment& extra = {});
  ~DesktopProgram();

  // Waits for a visible window with exactly this title; its X id, or "" after the timeout.
  std::string wait_for_window(const std::string& title, std::chrono::seconds timeout = std::chrono::seconds(40));
  // Waits until no visible window has this title; false after the timeout.
  bool wait_until_gone(const std::string& title, std::chrono::seconds timeout = std::chrono::seconds(10));
  // The program's visible windows (X ids).
  std::vector<std::string> windows();
  Area geometry(const std::string& window_id);
  Picture screen();
  // One window's own pixels (its coordinates), which is quicker than the whole screen.
  Picture window_picture(const std::string& window_id);
  // Photographs the screen until `area` equals `expected` or the time is up; the last photograph.
  Picture wait_for_area(const Area& area, const Picture& expected, std::chrono::seconds timeout);

  void click(int x, int y);
  void key(const std::string& name);
  void drag(int from_x, int from_y, int to_x, int to_y);
  // The program's exit status once it ended, -1 if it is still running after `timeout`.
  int wait_exit(std::chrono::seconds timeout) { return program_.wait(timeout); }
  int pid() const { return program_.pid(); }

  // What the program is doing, for a failure message: running or not, its windows, what
  // it said on stderr, and a photograph of the screen.
  std::string describe();

  // Writes a picture under the test's temporary folder, for a person to look at.
  static std::string keep(const Picture& picture, const std::string& name);

 private:
  void xdotool(const std::vector<std::string>& args);

  const XSession& session_;
  std::string work_dir_;
  ChildProcess program_;
};

}  // namespace desktop_test
