// What --help and --version print.
#pragma once

#include <string>

namespace cli {

std::string UsageText();
std::string VersionText();

}  // namespace cli
