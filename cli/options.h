// The command line's options: what a person asked for, checked before anything starts.
// Parsing never runs anything and never touches a file; a bad option becomes one line
// that names it and what it accepts, and the caller exits with status 2.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace cli {

enum class Action { Window, Run, Help, Version };
enum class Format { Text, Csv, Json };

// Largest value the dialog's number fields hold: they are read as 32-bit signed integers.
constexpr long long kFieldMaximum = 2147483647;
constexpr int kMaxRuns = 1000;
constexpr int kMaxWarmup = 100;

struct Options {
  Action action = Action::Window;
  // Unset inputs keep what the dialog shows at start (its template defaults and the drive
  // it selects), so the command line never guesses them.
  std::optional<long long> threads;
  std::optional<long long> blocks;
  std::optional<long long> repeat;
  std::optional<char> drive;  // lower-case letter
  int runs = 1;
  bool autoRuns = false;       // --runs auto: repeat until the figures settle (see run_plan.h)
  std::optional<int> warmup;   // discarded runs first; unset: the default of run_plan.h
  std::optional<double> failBelow;  // percent; exit 4 on a regression beyond it and the noise
  Format format = Format::Text;
  std::string output;      // empty: standard output
  std::string screenshot;  // empty: none
  std::string compare;     // empty: none
  bool quiet = false;
  bool direct = false;  // the disk test bypasses the system's file cache
};

struct ParseResult {
  Options options;
  std::string error;  // one line without the program name; empty when the line was good
};

// argv[0] is the program; an empty argument list (argc <= 1) means the window program.
ParseResult ParseOptions(int argc, const char* const* argv);

// Whether these arguments ask for the command line at all; otherwise the window program
// starts exactly as it always did, whatever words follow its name.
bool HasOptions(int argc, const char* const* argv);

const char* FormatName(Format format);

}  // namespace cli
