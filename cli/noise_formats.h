// The parts of a report that say how far its figures can be trusted: which runs were
// discarded as warm-up, why the series stopped (or that Ctrl+C cut it short), and how
// this run weighs against a saved result. Text and JSON, used by the two formats.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "cli/report.h"

namespace cli {

// Lines for the text format, each ending in a line break; empty when there is nothing
// to say. Incomplete comes first of all, right after the heading.
std::string IncompleteText(const Report& report);
std::string WarmupText(const Report& report);
std::string StopText(const Report& report);
std::string ComparisonText(const Report& report);

// A benchmark's title as the text format's first column: "Title:" padded to one width,
// so that every figure of a report starts in the same column.
std::string TitleColumn(std::string title);

nlohmann::json RepetitionJson(const Report& report);
nlohmann::json WarmupJson(const Report& report);
nlohmann::json CompareJson(const Report& report);  // REQUIRES: report.comparison

}  // namespace cli
