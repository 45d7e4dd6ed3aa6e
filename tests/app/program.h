// The whole program, started in this process through its own WinMain on a thread of its
// own (the GUI thread), and driven from the test's thread as a person would: mouse and
// keyboard on the headless screen. A hook on the GUI thread records every text the
// panel's result fields and status line receive, with the cursor at that moment, so a
// test reads the order of events instead of sleeping for them.
#pragma once

#include <win32.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace app_test {

struct TextSet {
  int id;            // the control's id
  std::string text;  // the text it was given
  HCURSOR cursor;    // the cursor when it was given
};

// A drive table of fresh directories under the test's temporary folder: `count` letters
// from a: on. The program's disk test then writes only there.
class TestDrives {
 public:
  explicit TestDrives(int count = 3);
  ~TestDrives();
  std::string Directory(char letter) const;
  // Every file in the table's directories and in the working directory.
  std::vector<std::string> Files() const;

 private:
  std::string root_;
  int count_;
};

class Program {
 public:
  // Starts WinMain and waits until the main window is up and idle.
  Program();
  // Ends a program still running by closing its main window.
  ~Program();

  HWND Frame() const { return frame_; }
  HWND Panel() const { return GetTopWindow(frame_); }
  HWND Item(int id) const { return GetDlgItem(Panel(), id); }
  std::string Text(HWND window) const;
  std::string Text(int id) const { return Text(Item(id)); }

  // Waits until the GUI thread waits for input with nothing left to do.
  bool Idle(DWORD timeoutMs = 120000) const;
  // WinMain's result, once the program has ended.
  int Join();
  bool Running() const { return !joined_; }

  // The menu, with the mouse: a bar item by position, then a pop-up item by position.
  void ClickBar(int position);
  void ClickPopupItem(int barPosition, int itemPosition);
  // Clicks the middle of a window (in screen coordinates).
  void ClickWindow(HWND window);
  // Replaces a field's text with typed keys.
  void TypeInto(int id, const char* text);

  // The texts recorded so far, and a fresh start.
  std::vector<TextSet> TextsSet() const;
  void ForgetTexts();

  // The status texts, in the order they will come, at which the GUI thread is to stop
  // right after the status line took them; and, for each in turn, what the test does
  // meanwhile on its own thread. WhileHeldAt is FALSE when the text never came.
  void HoldStatusAt(const std::vector<std::string>& texts);
  bool WhileHeldAt(const char* text, const std::function<void()>& whileHeld);

  // The top-level window of the GUI thread with this caption (a message box or dialog).
  HWND FindBox(const char* caption) const;

 private:
  std::thread gui_;
  int exitCode_ = -1;
  bool joined_ = false;
  std::atomic<bool> ended_{false};
  bool barClickLeft_ = false;
  HWND frame_ = nullptr;
  std::atomic<DWORD> guiThreadId_{0};
};

// A menu item's state in the frame's File pop-up (MF_GRAYED or 0).
UINT FileItemState(HWND frame, UINT id);

// The path of a PNG under the test's temporary folder.
std::string ShotPath(const char* name);

}  // namespace app_test
