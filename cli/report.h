// Everything one command-line session hands to its output: what ran, on what machine, and
// optionally how it compares with a saved result.
#pragma once

#include <array>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/machine_info.h"
#include "cli/machine_state.h"
#include "cli/run_plan.h"
#include "cli/run_record.h"
#include "cli/statistics.h"

namespace cli {

constexpr int kSchema = 1;
constexpr char kProgramName[] = "TORVEX NT Benchmarks";

// A saved result's figure for one benchmark: its median and how far its runs spread.
struct SavedFigure {
  double median = 0;
  double cv = 0;
  int runs = 1;
};

struct Comparison {
  std::string file;
  // Per benchmark; none where that result has no figure.
  std::array<std::optional<SavedFigure>, 3> saved;
  // How the saved result was made, by key path ("program.version", "inputs.threads", ...),
  // holding only what the file says.
  nlohmann::json context = nlohmann::json::object();
  std::optional<double> failBelow;    // percent, from --fail-below
  std::vector<std::string> warnings;  // where the saved result was made differently
};

// The runs made before the measured ones and discarded.
struct Warmup {
  int blocks = kWarmupBlocks;
  std::vector<Run> runs;
};

// Whether the disk figure went through the system's file cache or straight to the drive.
enum class CacheMode { System, Bypassed };
const char* CacheModeName(CacheMode mode);  // "system", "bypassed"

struct Report {
  CacheMode cache = CacheMode::System;
  Session session;
  RunPlan plan;
  StopReason stopped = StopReason::Count;
  Warmup warmup;
  MachineInfo machine;
  MachineState state;
  std::optional<Comparison> comparison;
};

// The two rates people quote beside ours: DMIPS, Dhrystones per second over the 1757 of
// the reference machine, and MWIPS, millions of Whetstone instructions per second. None
// for the disk.
std::optional<double> KnownRate(Benchmark b, double rate);
const char* KnownUnit(Benchmark b);

// The figures of the runs in which the benchmark did not fail; none if it failed in all.
std::optional<Summary> SummaryOf(const Session& session, Benchmark b);
std::optional<Summary> SummaryOf(const std::vector<Run>& runs, Benchmark b);

// Whether the report holds every run it set out to make (not cut short by Ctrl+C).
inline bool Complete(const Report& report) { return report.stopped != StopReason::Interrupted; }

}  // namespace cli
