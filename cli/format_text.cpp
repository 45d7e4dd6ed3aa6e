// For a person reading a terminal: the inputs, the three rates with their units, the
// spread over several runs, and the comparison with a saved result.
#include "cli/formats.h"
#include "cli/machine_state.h"
#include "cli/noise_formats.h"
#include "cli/number_text.h"
#include "cli/version.h"

namespace cli {
namespace {

std::string ResultText(Benchmark b, const Result& result) {
  if (result.failed()) return "failed: " + result.failure;
  return result.text + " " + BenchmarkUnit(b);
}

// " (7023 DMIPS)" beside a rate that has a known equivalent.
std::string KnownText(Benchmark b, std::optional<double> rate) {
  std::optional<double> known = rate ? KnownRate(b, *rate) : std::nullopt;
  return known ? " (" + FormatSignificant(*known) + " " + KnownUnit(b) + ")" : "";
}

std::string DriveText(const Report& report) {
  std::string text = "drive " + report.session.inputs.drive;
  const DriveInfo& drive = report.machine.drive;
  if (drive.directory.empty()) return text;
  text += " (" + drive.directory;
  if (!drive.fileSystem.empty()) text += ", " + drive.fileSystem;
  if (drive.inMemory) text += ", held in memory";
  return text + ")";
}

}  // namespace

std::string FormatText(const Report& report) {
  const Session& s = report.session;
  std::string text = std::string(kProgramName) + " " + kVersion + ": threads " + std::to_string(s.inputs.threads) +
                     ", blocks " + std::to_string(s.inputs.blocks) + ", repeat " + std::to_string(s.inputs.repeat) +
                     ", " + DriveText(report) + "\n";
  text += IncompleteText(report) + WarmupText(report);
  if (s.runs.size() == 1) {
    for (Benchmark b : kBenchmarks) {
      const Result& result = s.runs[0].of(b);
      text += TitleColumn(BenchmarkTitle(b)) + ResultText(b, result) + (result.failed() ? "" : KnownText(b, result.rate)) + "\n";
    }
  } else if (s.runs.size() > 1) {
    for (std::size_t i = 0; i < s.runs.size(); ++i) {
      text += "Run " + std::to_string(i + 1) + ":";
      for (Benchmark b : kBenchmarks) text += (b == Benchmark::Dhrystone ? " " : ", ") + ResultText(b, s.runs[i].of(b));
      text += "\n";
    }
    for (Benchmark b : kBenchmarks) {
      std::optional<Summary> summary = SummaryOf(s, b);
      text += TitleColumn(BenchmarkTitle(b));
      if (!summary) {
        text += "failed in every run\n";
        continue;
      }
      text += "median " + FormatRate(b, summary->median) + " " + BenchmarkUnit(b) + " (min " +
              FormatRate(b, summary->minimum) + ", max " + FormatRate(b, summary->maximum) + ", cv " +
              FormatFixed(summary->cv * 100, 1) + "%, " + std::to_string(summary->count) + " runs)" +
              KnownText(b, summary->median) + "\n";
    }
  }
  text += StopText(report);
  text += report.cache == CacheMode::Bypassed ? "The disk figure bypasses the system's file cache.\n"
                                             : "The disk figure includes the system's file cache.\n";
  if (report.machine.drive.inMemory)
    text += "Drive " + s.inputs.drive + " is held in memory (" + report.machine.drive.fileSystem +
            "): its figure is not a disk's.\n";
  for (const std::string& warning : StateWarnings(report.state, report.machine.onlineCores))
    text += "Warning: " + warning + ".\n";
  text += ComparisonText(report);
  return text;
}

}  // namespace cli
