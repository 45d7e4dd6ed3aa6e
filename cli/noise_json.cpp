#include "cli/compare.h"
#include "cli/noise_formats.h"

namespace cli {

using nlohmann::json;

json RepetitionJson(const Report& report) {
  const RunPlan& plan = report.plan;
  return {{"runs", plan.autoRuns ? json("auto") : json(plan.runs)},
          {"completed", report.session.runs.size()},
          {"stopped", StopReasonKey(report.stopped)},
          {"cv_below", plan.autoRuns ? json(kStableCv) : json(nullptr)},
          {"run_limit", plan.autoRuns ? json(kAutoRunLimit) : json(nullptr)}};
}

json WarmupJson(const Report& report) {
  json discarded = json::array();
  for (const Run& run : report.warmup.runs) {
    json rates = json::object();
    for (Benchmark b : kBenchmarks) {
      const Result& result = run.of(b);
      rates[BenchmarkKey(b)] = !result.failed() && result.rate ? json(*result.rate) : json(nullptr);
    }
    discarded.push_back(rates);
  }
  return {{"runs", report.warmup.runs.size()},
          {"disk_blocks", report.warmup.runs.empty() ? json(nullptr) : json(report.warmup.blocks)},
          {"discarded", discarded}};
}

json CompareJson(const Report& report) {
  const Comparison& c = *report.comparison;
  json j = {{"file", c.file}, {"warnings", c.warnings}};
  for (Benchmark b : kBenchmarks) {
    std::optional<Summary> now = SummaryOf(report.session, b);
    const std::optional<SavedFigure>& saved = c.saved[static_cast<int>(b)];
    std::optional<Judgement> judged = Judge(report, b);
    json entry = {{"this", now ? json(now->median) : json(nullptr)},
                  {"saved", saved ? json(saved->median) : json(nullptr)},
                  {"unit", BenchmarkUnit(b)}};
    entry["ratio"] = judged ? json(judged->ratio) : json(nullptr);
    entry["noise"] = judged ? json{{"this", judged->noiseNow}, {"saved", judged->noiseSaved}} : json(nullptr);
    entry["change"] = judged ? json(ChangeKey(judged->change)) : json(nullptr);
    j[BenchmarkKey(b)] = entry;
  }
  if (c.failBelow) {
    json regressed = json::array();
    for (Benchmark b : RegressedBelow(report)) regressed.push_back(BenchmarkKey(b));
    j["fail_below"] = {{"percent", *c.failBelow}, {"regressed", regressed}};
  } else {
    j["fail_below"] = nullptr;
  }
  return j;
}

}  // namespace cli
