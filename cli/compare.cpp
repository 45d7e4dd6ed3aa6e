#include "cli/compare.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

namespace cli {
namespace {

// Far above any result we write; a larger file is not one of ours.
constexpr std::streamsize kMaxResultBytes = 64 << 20;

}  // namespace

std::string ParseComparison(const std::string& path, const std::string& text, Comparison& out) {
  auto refuse = [&path](const std::string& why) { return "--compare " + path + ": not a saved result (" + why + ")"; };
  nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
  if (j.is_discarded()) return refuse("not JSON");
  if (!j.is_object() || !j.contains("schema") || !j.contains("program")) return refuse("no schema or program");
  if (j["schema"] != kSchema) return refuse("schema " + j["schema"].dump() + ", this program reads " + std::to_string(kSchema));
  if (!j["program"].is_object() || j["program"].value("name", "") != kProgramName) return refuse("another program's");
  if (!j.contains("summary") || !j["summary"].is_object()) return refuse("no summary");
  Comparison c;
  c.file = path;
  for (Benchmark b : kBenchmarks) {
    const nlohmann::json& entry = j["summary"].value(BenchmarkKey(b), nlohmann::json());
    if (entry.is_null()) continue;  // that benchmark failed there
    if (!entry.is_object() || !entry.contains("median") || !entry["median"].is_number())
      return refuse(std::string("no median for ") + BenchmarkKey(b));
    c.saved[static_cast<int>(b)] = entry["median"].get<double>();
  }
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

}  // namespace cli
