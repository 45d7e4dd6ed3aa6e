// --compare: reads a result this program saved as JSON and weighs this run against it.
// Anything else (another program's file, a damaged one, a newer schema) is refused with
// the reason. A difference counts as a change only when it lies outside the noise of both
// results, and the ways the two were made differently are named, so a "regression" that
// is really another drive or another machine does not pass unremarked.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/report.h"

namespace cli {

// The noise assumed for a figure from a single run, which shows no spread of its own.
constexpr double kSingleRunNoise = 0.03;

// Returns an error line naming the file, empty on success.
std::string LoadComparison(const std::string& path, Comparison& out);

// The same check over text already read; `path` only names it in the error.
std::string ParseComparison(const std::string& path, const std::string& text, Comparison& out);

// A result's noise: the coefficient of variation of its runs, or kSingleRunNoise for one.
double NoiseOf(int runs, double cv);

enum class Change { None, Faster, Slower };
const char* ChangeKey(Change change);  // "none", "faster", "slower"

struct Judgement {
  double now = 0;
  double saved = 0;
  double ratio = 0;  // now / saved
  double noiseNow = 0;
  double noiseSaved = 0;
  Change change = Change::None;
  double Difference() const { return ratio - 1; }
};

// Nothing where either result has no figure for the benchmark.
std::optional<Judgement> Judge(const Report& report, Benchmark b);

// One line for each kind of difference between how the saved result and `thisResult`
// (this run's JSON) were made: program version, inputs, cache mode, machine. A key the
// saved file lacks is no difference.
std::vector<std::string> Differences(const nlohmann::json& savedContext, const nlohmann::json& thisResult);

// The benchmarks that are slower than the saved result beyond --fail-below and beyond the
// noise; none without --fail-below.
std::vector<Benchmark> RegressedBelow(const Report& report);

}  // namespace cli
