// --compare: reads a result this program saved as JSON and keeps its figures. Anything
// else (another program's file, a damaged one, a newer schema) is refused with the reason.
#pragma once

#include <string>

#include "cli/report.h"

namespace cli {

// Returns an error line naming the file, empty on success.
std::string LoadComparison(const std::string& path, Comparison& out);

// The same check over text already read; `path` only names it in the error.
std::string ParseComparison(const std::string& path, const std::string& text, Comparison& out);

}  // namespace cli
