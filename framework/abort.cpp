// Termination: what happens to an exception that no try point takes.
#include "framework/except.h"

#include <cstdlib>

// Ends the windowing state; defined by the application-object code. Declared weak
// here so that programs without any window code (the unit tests of this layer) still
// link, and simply have no windowing state to end.
extern void AfxWinTerm() __attribute__((weak));

static AFX_TERM_PROC _afxTerminateHandler = &AfxAbort;

// A null handler would leave a raise nowhere to go; it behaves as the default.
void AfxTerminate() {
  if (_afxTerminateHandler != nullptr) {
    _afxTerminateHandler();
  } else {
    AfxAbort();
  }
}

AFX_TERM_PROC AfxSetTerminate(AFX_TERM_PROC handler) {
  AFX_TERM_PROC previous = _afxTerminateHandler;
  _afxTerminateHandler = handler;
  return previous;
}

void AfxAbort() {
  if (AfxWinTerm) AfxWinTerm();
  std::abort();
}
