// What one command-line session measured: the inputs the program ran with, each run's
// status lines and result texts as the window showed them, and the warnings on the way.
// Every figure here was read back from the program's own controls.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class Benchmark { Dhrystone, Whetstone, Disk };
constexpr std::array<Benchmark, 3> kBenchmarks = {Benchmark::Dhrystone, Benchmark::Whetstone, Benchmark::Disk};

const char* BenchmarkKey(Benchmark b);    // "dhrystone", "whetstone", "disk"
const char* BenchmarkTitle(Benchmark b);  // "Integer (Dhrystone)", ...
const char* BenchmarkUnit(Benchmark b);   // "KDhry/s", "KWhet/s", "Kbyte/s"

struct StatusLine {
  double seconds = 0;  // since Run! was picked
  std::string text;    // as the status line showed it, without its line break
};

struct Result {
  std::string text;                // the result field's text
  std::optional<double> rate;      // the text as a number; none when it is not one
  std::string failure;             // why the benchmark failed; empty when it did not
  bool failed() const { return !failure.empty(); }
};

struct Run {
  std::array<Result, 3> results;  // in kBenchmarks order
  std::vector<StatusLine> status;
  double seconds = 0;  // from Run! to the end of the run
  const Result& of(Benchmark b) const { return results[static_cast<int>(b)]; }
};

struct Inputs {
  long long threadsRequested = 0;
  int threads = 0;  // as the program ran them, after its limit
  long long blocksRequested = 0;
  int blocks = 0;  // as the program ran them, after its free-space check
  int repeat = 0;
  std::string drive;  // "c:"
};

struct Session {
  Inputs inputs;
  std::vector<Run> runs;
  std::vector<std::string> warnings;  // things the program changed or said, one line each
  std::string date;                   // UTC, ISO 8601, when the first run started
  bool anyFailed() const;
};

}  // namespace cli
