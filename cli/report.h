// Everything one command-line session hands to its output: what ran, on what machine, and
// optionally how it compares with a saved result.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "cli/machine_info.h"
#include "cli/machine_state.h"
#include "cli/run_record.h"
#include "cli/statistics.h"

namespace cli {

constexpr int kSchema = 1;
constexpr char kProgramName[] = "TORVEX NT Benchmarks";

struct Comparison {
  std::string file;
  // Per benchmark, the saved figure (its median); none where that result has none.
  std::array<std::optional<double>, 3> saved;
};

// Whether the disk figure went through the system's file cache or straight to the drive.
enum class CacheMode { System, Bypassed };
const char* CacheModeName(CacheMode mode);  // "system", "bypassed"

struct Report {
  CacheMode cache = CacheMode::System;
  Session session;
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

}  // namespace cli
