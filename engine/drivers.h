// The processor benchmark drivers. Each returns its rate as text; neither writes a result
// field itself. threads <= 1 runs on the calling thread; at most 63 workers otherwise.
#pragma once

#include "engine/bench_driver.h"
#include "framework/cstring.h"

// Thousands of Dhrystones per second, "%.4g"; each kernel call is 200 thousand Dhrystones.
CString DoDhrystone(CWnd* dialog, int threads, int repeat);

// Thousands of Whetstone instructions per second, "%d"; each call is 10000 thousand.
CString DoWhetstone(CWnd* dialog, int threads, int repeat);

constexpr double kDhrystoneUnitsPerCall = 200.0;
constexpr double kWhetstoneUnitsPerCall = 10000.0;
