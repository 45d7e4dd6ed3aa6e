// Long options only, each as --name=value or --name value. The last of a repeated option
// wins, as in most tools; anything unknown or out of range stops the parse at once.
#include "cli/options.h"

#include <charconv>
#include <cstring>
#include <functional>
#include <string_view>

namespace cli {
namespace {

struct Spec {
  const char* name;
  bool takesValue;
  bool needsRun;  // only meaningful together with --run
  std::function<std::string(Options&, std::string_view)> apply;  // returns an error or ""
};

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A whole decimal number with nothing around it, within [low, high].
std::string ReadNumber(std::string_view name, std::string_view text, long long low, long long high,
                       long long& out) {
  std::string range = "(" + std::to_string(low) + " to " + std::to_string(high) + ")";
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
    return "--" + std::string(name) + ": " + Quoted(text) + " is not a whole number " + range;
  if (error == std::errc::result_out_of_range || value < low || value > high)
    return "--" + std::string(name) + ": " + std::string(text) + " is out of range " + range;
  out = value;
  return "";
}

auto FieldNumber(const char* name, std::optional<long long> Options::*field) {
  return [name, field](Options& o, std::string_view v) {
    long long value = 0;
    std::string error = ReadNumber(name, v, 1, kFieldMaximum, value);
    if (error.empty()) o.*field = value;
    return error;
  };
}

auto Path(const char* name, std::string Options::*field) {
  return [name, field](Options& o, std::string_view v) -> std::string {
    if (v.empty()) return "--" + std::string(name) + ": needs a file name";
    o.*field = std::string(v);
    return "";
  };
}

std::string ReadDrive(Options& o, std::string_view v) {
  bool letter = !v.empty() && ((v[0] >= 'a' && v[0] <= 'z') || (v[0] >= 'A' && v[0] <= 'Z'));
  if (!letter || v.size() > 2 || (v.size() == 2 && v[1] != ':'))
    return "--drive: " + Quoted(v) + " is not a drive (a letter a to z, such as c:)";
  o.drive = static_cast<char>(v[0] | 0x20);
  return "";
}

std::string ReadFormat(Options& o, std::string_view v) {
  if (v == "text") o.format = Format::Text;
  else if (v == "csv") o.format = Format::Csv;
  else if (v == "json") o.format = Format::Json;
  else return "--format: " + Quoted(v) + " is not a format (text, csv or json)";
  return "";
}

std::string ReadRuns(Options& o, std::string_view v) {
  o.autoRuns = v == "auto";
  if (o.autoRuns) return "";
  long long value = 0;
  std::string error = ReadNumber("runs", v, 1, kMaxRuns, value);
  if (error.empty()) o.runs = static_cast<int>(value);
  if (!error.empty() && error.find("not a whole number") != std::string::npos)
    error = "--runs: " + Quoted(v) + " is neither auto nor a whole number (1 to " + std::to_string(kMaxRuns) + ")";
  return error;
}

std::string ReadWarmup(Options& o, std::string_view v) {
  long long value = 0;
  std::string error = ReadNumber("warmup", v, 0, kMaxWarmup, value);
  if (error.empty()) o.warmup = static_cast<int>(value);
  return error;
}

// A percentage such as 5 or 2.5; from_chars reads it the same in every locale.
std::string ReadFailBelow(Options& o, std::string_view v) {
  double value = 0;
  auto [end, error] = std::from_chars(v.data(), v.data() + v.size(), value);
  if (v.empty() || error != std::errc() || end != v.data() + v.size() || !(value >= 0 && value < 100))
    return "--fail-below: " + Quoted(v) + " is not a percentage (0 or more, below 100)";
  o.failBelow = value;
  return "";
}

const std::vector<Spec>& Specs() {
  static const std::vector<Spec> specs = {
      {"run", false, false, [](Options& o, std::string_view) { o.action = Action::Run; return std::string(); }},
      {"help", false, false, [](Options&, std::string_view) { return std::string(); }},
      {"version", false, false, [](Options&, std::string_view) { return std::string(); }},
      {"threads", true, true, FieldNumber("threads", &Options::threads)},
      {"blocks", true, true, FieldNumber("blocks", &Options::blocks)},
      {"repeat", true, true, FieldNumber("repeat", &Options::repeat)},
      {"drive", true, true, ReadDrive},
      {"runs", true, true, ReadRuns},
      {"warmup", true, true, ReadWarmup},
      {"fail-below", true, true, ReadFailBelow},
      {"format", true, true, ReadFormat},
      {"output", true, true, Path("output", &Options::output)},
      {"screenshot", true, true, Path("screenshot", &Options::screenshot)},
      {"compare", true, true, Path("compare", &Options::compare)},
      {"quiet", false, true, [](Options& o, std::string_view) { o.quiet = true; return std::string(); }},
      {"direct", false, true, [](Options& o, std::string_view) { o.direct = true; return std::string(); }},
  };
  return specs;
}

const Spec* FindSpec(std::string_view name) {
  for (const Spec& spec : Specs())
    if (name == spec.name) return &spec;
  return nullptr;
}

}  // namespace

bool HasOptions(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] == '-') return true;
  return false;
}

ParseResult ParseOptions(int argc, const char* const* argv) {
  ParseResult result;
  Options& o = result.options;
  bool help = false, version = false;
  const char* firstRunOption = nullptr;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (arg.size() < 3 || arg.substr(0, 2) != "--") {
      result.error = (arg.size() > 1 && arg[0] == '-' && arg != "--")
                         ? "unknown option " + std::string(arg) + " (options are long: see --help)"
                         : "unexpected argument " + Quoted(arg) + " (see --help)";
      return result;
    }
    std::string_view body = arg.substr(2);
    std::size_t equals = body.find('=');
    std::string_view name = body.substr(0, equals);
    const Spec* spec = FindSpec(name);
    if (!spec) {
      result.error = "unknown option --" + std::string(name) + " (see --help)";
      return result;
    }
    std::string_view value;
    if (spec->takesValue) {
      if (equals != std::string_view::npos) {
        value = body.substr(equals + 1);
      } else if (i + 1 < argc) {
        value = argv[++i];
      } else {
        result.error = "--" + std::string(name) + " needs a value (see --help)";
        return result;
      }
    } else if (equals != std::string_view::npos) {
      result.error = "--" + std::string(name) + " takes no value";
      return result;
    }
    if (name == "help") help = true;
    if (name == "version") version = true;
    if (spec->needsRun && !firstRunOption) firstRunOption = spec->name;
    result.error = spec->apply(o, value);
    if (!result.error.empty()) return result;
  }
  if (help) o.action = Action::Help;
  else if (version) o.action = Action::Version;
  else if (firstRunOption && o.action != Action::Run)
    result.error = "--" + std::string(firstRunOption) + " is an option of --run (see --help)";
  else if (o.failBelow && o.compare.empty())
    result.error = "--fail-below needs --compare FILE, the result it measures regressions against";
  return result;
}

const char* FormatName(Format format) {
  switch (format) {
    case Format::Csv: return "csv";
    case Format::Json: return "json";
    default: return "text";
  }
}

}  // namespace cli
