// The timing harness. The platform's clock counts milliseconds, too coarse for kernel
// calls of a few milliseconds, so the harness reads the monotonic clock in microseconds.
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

std::int64_t DoBench(const char* label, const char* title, BenchKernel kernel, CWnd* dialog) {
  std::string line = FormatStepText(label, title);
  auto start = std::chrono::steady_clock::now();
  if (kernel != nullptr) kernel();
  auto end = std::chrono::steady_clock::now();
  std::int64_t elapsed = std::chrono::duration_cast<std::chrono::microseconds>(end - start).count();

  line += FormatTimeText(elapsed);
  SetDlgItemTextA(AfxGetSafeHwnd(dialog), kStatusControlId, line.c_str());
  ServiceSentMessages();
  return elapsed;
}
