// For programs: one object with the inputs, every run with its status lines, the summary
// per benchmark and the machine. nlohmann writes numbers without the C locale, so a
// decimal comma can never slip in.
#include "cli/formats.h"
#include "cli/noise_formats.h"
#include "cli/version.h"

namespace cli {
namespace {

using nlohmann::json;

json ResultJson(Benchmark b, const Result& result) {
  json j = {{"text", result.text}, {"unit", BenchmarkUnit(b)}};
  j["rate"] = result.rate ? json(*result.rate) : json(nullptr);
  if (std::optional<double> known = result.rate ? KnownRate(b, *result.rate) : std::nullopt)
    j["known"] = {{"rate", *known}, {"unit", KnownUnit(b)}};
  if (result.failed()) j["failure"] = result.failure;
  return j;
}

json RunJson(const Run& run) {
  json results = json::object();
  for (Benchmark b : kBenchmarks) results[BenchmarkKey(b)] = ResultJson(b, run.of(b));
  json status = json::array();
  for (const StatusLine& line : run.status) status.push_back({{"seconds", line.seconds}, {"text", line.text}});
  return {{"results", results}, {"seconds", run.seconds}, {"status", status}};
}

json StateJson(const MachineState& s) {
  auto text = [](const std::string& value) { return value.empty() ? json(nullptr) : json(value); };
  return {{"governor", text(s.governor)},
          {"energy_preference", text(s.energyPreference)},
          {"virtual_machine", text(s.virtualMachine)},
          {"container", text(s.container)},
          {"load_average", s.loadAverage < 0 ? json(nullptr) : json(s.loadAverage)},
          {"on_battery", s.onBattery},
          {"compiler", s.compiler},
          {"build_type", s.buildType}};
}

json MachineJson(const MachineInfo& m) {
  json drive = {{"letter", m.drive.letter},         {"directory", m.drive.directory},
                {"file_system", m.drive.fileSystem}, {"device", m.drive.device},
                {"in_memory", m.drive.inMemory}};
  return {{"cpu", m.cpu},   {"logical_cores", m.logicalCores}, {"online_cores", m.onlineCores},
          {"memory_bytes", m.memoryBytes}, {"os", m.os}, {"kernel", m.kernel}, {"drive", drive}};
}

json SummaryJson(const Session& session) {
  json summary = json::object();
  for (Benchmark b : kBenchmarks) {
    std::optional<Summary> s = SummaryOf(session, b);
    summary[BenchmarkKey(b)] = s ? json{{"median", s->median}, {"minimum", s->minimum}, {"maximum", s->maximum},
                                        {"runs", s->count},    {"cv", s->cv},
                                        {"unit", BenchmarkUnit(b)}}
                                 : json(nullptr);
  }
  return summary;
}

}  // namespace

json ToJson(const Report& report) {
  const Session& s = report.session;
  json runs = json::array();
  for (const Run& run : s.runs) runs.push_back(RunJson(run));
  json j = {
      {"schema", kSchema},
      {"program", {{"name", kProgramName}, {"version", kVersion}}},
      {"date", s.date},
      {"machine", MachineJson(report.machine)},
      {"state", StateJson(report.state)},
      {"cache", CacheModeName(report.cache)},
      {"inputs",
       {{"threads", s.inputs.threads},
        {"threads_requested", s.inputs.threadsRequested},
        {"blocks", s.inputs.blocks},
        {"blocks_requested", s.inputs.blocksRequested},
        {"repeat", s.inputs.repeat},
        {"drive", s.inputs.drive}}},
      {"runs", runs},
      {"repetition", RepetitionJson(report)},
      {"warmup", WarmupJson(report)},
      {"complete", Complete(report)},
      {"summary", SummaryJson(s)},
      {"failed", s.anyFailed()},
      {"warnings", s.warnings},
  };
  if (report.comparison) j["compare"] = CompareJson(report);
  return j;
}

std::string FormatJson(const Report& report) { return ToJson(report).dump(2) + "\n"; }

}  // namespace cli
