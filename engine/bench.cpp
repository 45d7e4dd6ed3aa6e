// The timing harness. The platform's clock counts milliseconds, far too coarse for kernel
// calls and disk phases that take microseconds, so the harness reads the monotonic clock in
// nanoseconds and callers add those up before anything is truncated for display.
#include "engine/bench.h"

#include <win32.h>

#include <chrono>
#include <string>

#include "engine/status_text.h"
#include "framework/window.h"

void ServiceSentMessages() {
  MSG message;
  PeekMessageA(&message, NULL, 0, 0, PM_NOREMOVE);
}

std::int64_t BenchClockNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

BenchInterval DoBenchInterval(const char* label, const char* title, BenchKernel kernel, CWnd* dialog) {
  std::string line = FormatStepText(label, title);
  BenchInterval interval;
  interval.began = BenchClockNow();
  if (kernel != nullptr) kernel();
  interval.ended = BenchClockNow();

  line += FormatTimeText(interval.ended - interval.began);
  SetDlgItemTextA(AfxGetSafeHwnd(dialog), kStatusControlId, line.c_str());
  ServiceSentMessages();
  return interval;
}

std::int64_t DoBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog) {
  BenchInterval interval = DoBenchInterval(label, title, kernel, dialog);
  return interval.ended - interval.began;
}
