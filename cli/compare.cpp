#include "cli/compare.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>

namespace cli {
namespace {

using nlohmann::json;

// Far above any result we write; a larger file is not one of ours.
constexpr std::streamsize kMaxResultBytes = 64 << 20;

// What decides whether two results may be compared at all, by kind.
struct Kind {
  const char* what;  // completes "the saved result ..."
  std::vector<const char*> paths;
};

const std::vector<Kind>& Kinds() {
  static const std::vector<Kind> kinds = {
      {"is of another program version", {"program.version"}},
      {"ran with other inputs", {"inputs.threads", "inputs.blocks", "inputs.repeat", "inputs.drive"}},
      {"measured the disk in another cache mode", {"cache"}},
      {"comes from another machine or system",
       {"machine.cpu", "machine.logical_cores", "machine.memory_bytes", "machine.os", "machine.kernel",
        "machine.drive.file_system", "machine.drive.device"}},
  };
  return kinds;
}

json::json_pointer Pointer(const std::string& path) {
  std::string pointer = "/" + path;
  for (char& c : pointer)
    if (c == '.') c = '/';
  return json::json_pointer(pointer);
}

const json* Find(const json& j, const std::string& path) {
  json::json_pointer pointer = Pointer(path);
  return j.contains(pointer) ? &j.at(pointer) : nullptr;
}

std::string Shown(const json& value) { return value.is_string() ? value.get<std::string>() : value.dump(); }

// "threads" for inputs.threads, "drive file_system" for machine.drive.file_system.
std::string Label(const std::string& path) {
  std::string label = path.substr(path.find('.') == std::string::npos ? 0 : path.find('.') + 1);
  for (char& c : label)
    if (c == '.') c = ' ';
  return label;
}

}  // namespace

std::string ParseComparison(const std::string& path, const std::string& text, Comparison& out) {
  auto refuse = [&path](const std::string& why) { return "--compare " + path + ": not a saved result (" + why + ")"; };
  json j = json::parse(text, nullptr, false);
  if (j.is_discarded()) return refuse("not JSON");
  if (!j.is_object() || !j.contains("schema") || !j.contains("program")) return refuse("no schema or program");
  if (j["schema"] != kSchema) return refuse("schema " + j["schema"].dump() + ", this program reads " + std::to_string(kSchema));
  if (!j["program"].is_object() || j["program"].value("name", "") != kProgramName) return refuse("another program's");
  if (!j.contains("summary") || !j["summary"].is_object()) return refuse("no summary");
  Comparison c;
  c.file = path;
  for (Benchmark b : kBenchmarks) {
    const json& entry = j["summary"].value(BenchmarkKey(b), json());
    if (entry.is_null()) continue;  // that benchmark failed there
    if (!entry.is_object() || !entry.contains("median") || !entry["median"].is_number())
      return refuse(std::string("no median for ") + BenchmarkKey(b));
    SavedFigure figure;
    figure.median = entry["median"].get<double>();
    // A spread the file does not state is taken as that of a single run.
    if (entry.contains("cv") && entry["cv"].is_number() && entry.contains("runs") && entry["runs"].is_number_integer()) {
      figure.cv = entry["cv"].get<double>();
      figure.runs = entry["runs"].get<int>();
    }
    if (!std::isfinite(figure.cv) || figure.cv < 0) return refuse(std::string("a bad cv for ") + BenchmarkKey(b));
    c.saved[static_cast<int>(b)] = figure;
  }
  for (const Kind& kind : Kinds())
    for (const char* key : kind.paths)
      if (const json* value = Find(j, key); value && !value->is_null()) c.context[key] = *value;
  out = c;
  return "";
}

std::string LoadComparison(const std::string& path, Comparison& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "--compare " + path + ": " + std::strerror(errno);
  std::string text;
  text.resize(static_cast<std::size_t>(kMaxResultBytes) + 1);
  in.read(text.data(), kMaxResultBytes + 1);
  text.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return "--compare " + path + ": cannot be read";
  if (static_cast<std::streamsize>(text.size()) > kMaxResultBytes) return "--compare " + path + ": not a saved result (too large)";
  return ParseComparison(path, text, out);
}

double NoiseOf(int runs, double cv) { return runs > 1 ? cv : kSingleRunNoise; }

const char* ChangeKey(Change change) {
  switch (change) {
    case Change::Faster: return "faster";
    case Change::Slower: return "slower";
    default: return "none";
  }
}

std::optional<Judgement> Judge(const Report& report, Benchmark b) {
  if (!report.comparison) return std::nullopt;
  std::optional<Summary> now = SummaryOf(report.session, b);
  const std::optional<SavedFigure>& saved = report.comparison->saved[static_cast<int>(b)];
  if (!now || !saved || !(saved->median > 0)) return std::nullopt;
  Judgement j;
  j.now = now->median;
  j.saved = saved->median;
  j.ratio = j.now / j.saved;
  j.noiseNow = NoiseOf(now->count, now->cv);
  j.noiseSaved = NoiseOf(saved->runs, saved->cv);
  double difference = j.Difference();
  if (std::fabs(difference) > j.noiseNow && std::fabs(difference) > j.noiseSaved)
    j.change = difference > 0 ? Change::Faster : Change::Slower;
  return j;
}

std::vector<std::string> Differences(const json& savedContext, const json& thisResult) {
  std::vector<std::string> lines;
  for (const Kind& kind : Kinds()) {
    std::string details;
    for (const char* key : kind.paths) {
      auto saved = savedContext.find(key);
      const json* here = Find(thisResult, key);
      if (saved == savedContext.end() || !here || *saved == *here) continue;
      details += (details.empty() ? "" : "; ") + Label(key) + " " + Shown(*saved) + " there, " + Shown(*here) + " here";
    }
    if (!details.empty()) lines.push_back("the saved result " + std::string(kind.what) + " (" + details + ")");
  }
  return lines;
}

std::vector<Benchmark> RegressedBelow(const Report& report) {
  std::vector<Benchmark> regressed;
  if (!report.comparison || !report.comparison->failBelow) return regressed;
  for (Benchmark b : kBenchmarks) {
    std::optional<Judgement> j = Judge(report, b);
    if (j && j->change == Change::Slower && -j->Difference() * 100 > *report.comparison->failBelow) regressed.push_back(b);
  }
  return regressed;
}

}  // namespace cli
