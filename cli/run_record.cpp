#include "cli/run_record.h"

namespace cli {

const char* BenchmarkKey(Benchmark b) {
  switch (b) {
    case Benchmark::Dhrystone: return "dhrystone";
    case Benchmark::Whetstone: return "whetstone";
    default: return "disk";
  }
}

const char* BenchmarkTitle(Benchmark b) {
  switch (b) {
    case Benchmark::Dhrystone: return "Integer (Dhrystone)";
    case Benchmark::Whetstone: return "Floating point (Whetstone)";
    default: return "Disk";
  }
}

const char* BenchmarkUnit(Benchmark b) {
  switch (b) {
    case Benchmark::Dhrystone: return "KDhry/s";
    case Benchmark::Whetstone: return "KWhet/s";
    default: return "Kbyte/s";
  }
}

bool Session::anyFailed() const {
  for (const Run& run : runs)
    for (const Result& result : run.results)
      if (result.failed()) return true;
  return false;
}

}  // namespace cli
