#include "engine/drivers.h"

#include "engine/dhry.h"
#include "engine/status_text.h"
#include "engine/whet_d.h"

CString DoDhrystone(CWnd* dialog, int threads, int repeat) {
  BenchTotals totals = RunProcessorBench("DR", "Dhrystone", dhry, dialog, threads, repeat);
  double rate = ProcessorRate(totals.kernelCalls, totals.totalNanoseconds, kDhrystoneUnitsPerCall);
  return CString(FormatRateFourDigits(rate).c_str());
}

CString DoWhetstone(CWnd* dialog, int threads, int repeat) {
  BenchTotals totals = RunProcessorBench("WD", "Whetstone (double)", whetd, dialog, threads, repeat);
  double rate = ProcessorRate(totals.kernelCalls, totals.totalNanoseconds, kWhetstoneUnitsPerCall);
  return CString(FormatRateWhole(rate).c_str());
}
