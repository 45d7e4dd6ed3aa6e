// A message log in the style of conformance tests: hooks and window procedures append
// what they see, and a test compares the log with a static table of expected rows,
// printing both when they differ.
#pragma once

#include <win32.h>

#include <gtest/gtest.h>

#include <cstdio>
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
