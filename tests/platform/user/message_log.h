// A message log in the style of conformance tests: hooks and window procedures append
// what they see, and a test compares the log with a static table of expected rows,
// printing both when they differ.
#pragma once

#include <win32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <mutex>
#include <string>
#include <vector>

namespace user_test {

enum Source { kHook, kProc };

struct LoggedMessage {
  UINT message;
  Source source;
  HWND hwnd = nullptr;  // not compared unless the expected row names a window
};

inline const char* message_name(UINT m) {
  switch (m) {
    case WM_CREATE: return "WM_CREATE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_MOVE: return "WM_MOVE";
    case WM_SIZE: return "WM_SIZE";
    case WM_SETTEXT: return "WM_SETTEXT";
    case WM_GETTEXT: return "WM_GETTEXT";
    case WM_GETTEXTLENGTH: return "WM_GETTEXTLENGTH";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_GETMINMAXINFO: return "WM_GETMINMAXINFO";
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_NCCALCSIZE: return "WM_NCCALCSIZE";
    case WM_PARENTNOTIFY: return "WM_PARENTNOTIFY";
    case WM_STYLECHANGING: return "WM_STYLECHANGING";
    case WM_STYLECHANGED: return "WM_STYLECHANGED";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_WINDOWPOSCHANGING: return "WM_WINDOWPOSCHANGING";
    case WM_WINDOWPOSCHANGED: return "WM_WINDOWPOSCHANGED";
    case WM_ACTIVATEAPP: return "WM_ACTIVATEAPP";
    case WM_NCACTIVATE: return "WM_NCACTIVATE";
    case WM_ACTIVATE: return "WM_ACTIVATE";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_PAINT: return "WM_PAINT";
    case WM_NCPAINT: return "WM_NCPAINT";
    case WM_ERASEBKGND: return "WM_ERASEBKGND";
    case WM_NCHITTEST: return "WM_NCHITTEST";
    case WM_SETCURSOR: return "WM_SETCURSOR";
    case WM_MOUSEACTIVATE: return "WM_MOUSEACTIVATE";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_LBUTTONDOWN: return "WM_LBUTTONDOWN";
    case WM_LBUTTONUP: return "WM_LBUTTONUP";
    case WM_LBUTTONDBLCLK: return "WM_LBUTTONDBLCLK";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    case WM_ENABLE: return "WM_ENABLE";
    case WM_CANCELMODE: return "WM_CANCELMODE";
    default: return nullptr;
  }
}

class MessageLog {
 public:
  void add(UINT message, Source source, HWND hwnd = nullptr) {
    std::lock_guard lock(mutex_);
    rows_.push_back({message, source, hwnd});
  }
  void clear() {
    std::lock_guard lock(mutex_);
    rows_.clear();
  }
  // The rows without the given messages (for sequences where only some matter).
  void drop(std::initializer_list<UINT> messages) {
    std::lock_guard lock(mutex_);
    std::vector<LoggedMessage> kept;
    for (const auto& r : rows_)
      if (std::find(messages.begin(), messages.end(), r.message) == messages.end()) kept.push_back(r);
    rows_ = kept;
  }
  std::vector<LoggedMessage> rows() const {
    std::lock_guard lock(mutex_);
    return rows_;
  }

  // Compares the log with the expected rows; on mismatch prints both side by side.
  ::testing::AssertionResult matches(const std::vector<LoggedMessage>& expected) const {
    std::vector<LoggedMessage> got = rows();
    bool same = got.size() == expected.size();
    for (size_t i = 0; same && i < got.size(); ++i) {
      same = got[i].message == expected[i].message && got[i].source == expected[i].source &&
             (!expected[i].hwnd || expected[i].hwnd == got[i].hwnd);
    }
    if (same) return ::testing::AssertionSuccess();
    std::string text = "message sequence differs\n  expected | got\n";
    for (size_t i = 0; i < std::max(got.size(), expected.size()); ++i) {
      text += "  " + describe(expected, i) + " | " + describe(got, i) + "\n";
    }
    return ::testing::AssertionFailure() << text;
  }

 private:
  static std::string describe(const std::vector<LoggedMessage>& rows, size_t i) {
    if (i >= rows.size()) return std::string(30, ' ');
    char buf[64];
    const char* name = message_name(rows[i].message);
    if (name)
      std::snprintf(buf, sizeof buf, "%-20s %-4s", name, rows[i].source == kHook ? "hook" : "proc");
    else
      std::snprintf(buf, sizeof buf, "0x%04x %-13s %-4s", rows[i].message, "",
                    rows[i].source == kHook ? "hook" : "proc");
    std::string s = buf;
    if (rows[i].hwnd) {
      std::snprintf(buf, sizeof buf, " %p", static_cast<void*>(rows[i].hwnd));
      s += buf;
    }
    return s;
  }

  mutable std::mutex mutex_;
  std::vector<LoggedMessage> rows_;
};

}  // namespace user_test
