#include "cli/compare.h"
#include "cli/noise_formats.h"
#include "cli/number_text.h"

namespace cli {
namespace {

std::string Percent(double fraction, int decimals = 1) { return FormatFixed(fraction * 100, decimals) + "%"; }

std::string Runs(std::size_t count) { return std::to_string(count) + (count == 1 ? " run" : " runs"); }

std::string Signed(double fraction) { return (fraction >= 0 ? "+" : "") + Percent(fraction); }

}  // namespace

std::string TitleColumn(std::string title) {
  constexpr std::size_t kWidth = 28;
  title += ':';
  if (title.size() < kWidth) title.append(kWidth - title.size(), ' ');
  return title;
}

std::string IncompleteText(const Report& report) {
  if (Complete(report)) return "";
  std::string asked = report.plan.autoRuns ? "up to " + std::to_string(kAutoRunLimit) : std::to_string(report.plan.runs);
  if (report.session.runs.empty())
    return "INCOMPLETE: stopped by Ctrl+C before the first measured run completed; there are no figures.\n";
  return "INCOMPLETE: stopped by Ctrl+C after " + std::to_string(report.session.runs.size()) + " of " + asked +
         " measured runs; the figures are those of the completed runs only.\n";
}

std::string WarmupText(const Report& report) {
  const Warmup& warmup = report.warmup;
  if (warmup.runs.empty()) return "";
  std::string figures;
  for (const Run& run : warmup.runs) {
    figures += figures.empty() ? "" : "; ";
    for (Benchmark b : kBenchmarks) {
      const Result& result = run.of(b);
      figures += std::string(b == Benchmark::Dhrystone ? "" : ", ") + (result.failed() ? "failed" : result.text) + " " +
                 BenchmarkUnit(b);
    }
  }
  return "Warm-up: " + Runs(warmup.runs.size()) +
         " discarded before measuring (Dhrystone and Whetstone at the inputs above, the disk test with " +
         std::to_string(warmup.blocks) + (warmup.blocks == 1 ? " block" : " blocks") + "): " + figures + ".\n";
}

std::string StopText(const Report& report) {
  if (!report.plan.autoRuns) return "";
  std::string text = "Runs: auto (until every cv is below " + Percent(kStableCv, 0) + ", at most " +
                     std::to_string(kAutoRunLimit) + "), ";
  std::size_t done = report.session.runs.size();
  switch (report.stopped) {
    case StopReason::Stable:
      return text + "stopped after " + Runs(done) + ": every benchmark's cv is below " + Percent(kStableCv, 0) + ".\n";
    case StopReason::Failed: return text + "stopped after " + Runs(done) + ": a benchmark failed.\n";
    case StopReason::Interrupted: return text + "stopped by Ctrl+C after " + Runs(done) + ".\n";
    default: break;
  }
  std::string unsettled;
  for (Benchmark b : kBenchmarks) {
    std::optional<Summary> summary = SummaryOf(report.session, b);
    if (summary && summary->cv < kStableCv) continue;
    unsettled += (unsettled.empty() ? "" : ", ") + std::string(BenchmarkTitle(b)) + " " +
                 (summary ? Percent(summary->cv) : std::string("no figure"));
  }
  return text + "stopped at the limit of " + Runs(done) + " with the cv not below " + Percent(kStableCv, 0) +
         ": " + unsettled + ".\n";
}

std::string ComparisonText(const Report& report) {
  if (!report.comparison) return "";
  const Comparison& c = *report.comparison;
  std::string text = "Compared with " + c.file + " (a change counts only beyond the noise of both):\n";
  for (Benchmark b : kBenchmarks) {
    text += TitleColumn(BenchmarkTitle(b));
    std::optional<Judgement> j = Judge(report, b);
    if (!j) {
      text += "no figure to compare\n";
      continue;
    }
    std::string noise = "noise " + Percent(j->noiseNow) + " here, " + Percent(j->noiseSaved) + " there";
    text += FormatRate(b, j->now) + " vs " + FormatRate(b, j->saved) + " " + BenchmarkUnit(b) + ", ratio " +
            FormatFixed(j->ratio, 3) + ": ";
    if (j->change == Change::None) text += "no change (" + Signed(j->Difference()) + " is within the " + noise + ")\n";
    else text += std::string(ChangeKey(j->change)) + " (" + Signed(j->Difference()) + ", beyond the " + noise + ")\n";
  }
  for (const std::string& warning : c.warnings) text += "Warning: " + warning + ".\n";
  if (c.failBelow) {
    std::vector<Benchmark> regressed = RegressedBelow(report);
    std::string names;
    for (Benchmark b : regressed) names += (names.empty() ? "" : ", ") + std::string(BenchmarkTitle(b));
    text += "--fail-below " + FormatSignificant(*c.failBelow) + "%: " +
            (regressed.empty() ? std::string("no benchmark is slower beyond it and the noise.\n")
                               : "slower beyond it and the noise: " + names + ".\n");
  }
  return text;
}

}  // namespace cli
