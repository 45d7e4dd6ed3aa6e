// The three output formats. Each returns the whole text that goes to standard output or
// to --output; progress and warnings never appear in it.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/report.h"

namespace cli {

std::string FormatText(const Report& report);

// One results line per run, exactly as the window program's SaveResults writes it:
// threads, repeat, blocks, drive and the three result texts, ending in CR LF.
std::string FormatCsv(const Report& report);
std::string ResultsLine(const Inputs& inputs, const Run& run);

nlohmann::json ToJson(const Report& report);
std::string FormatJson(const Report& report);

}  // namespace cli
