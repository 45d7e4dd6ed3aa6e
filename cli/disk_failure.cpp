#include "cli/disk_failure.h"

namespace cli {

std::string LastDiskFailure() { return ""; }

}  // namespace cli
