// A real window standing in for the client dialog: a top-level window with a child of id
// 10007 whose window procedure notes the thread it runs on, and keeps its text through the
// default WM_SETTEXT / WM_GETTEXT handling.
#pragma once

#include <win32.h>

#include <string>

#include "framework/window.h"

class StatusWindow {
 public:
  StatusWindow();
  ~StatusWindow();

  CWnd* dialog() { return &dialogObject_; }
  std::string StatusText() const;
  // The thread that ran the control's procedure for the last WM_SETTEXT, 0 before any.
  DWORD LastSetTextThread() const;
  int SetTextCount() const;

 private:
  CWnd dialogObject_;
  HWND status_ = NULL;
};
