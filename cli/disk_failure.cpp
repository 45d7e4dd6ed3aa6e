#include "cli/disk_failure.h"

#include "engine/disknt.h"

namespace cli {

std::string LastDiskFailure() { return DiskTestFailure(); }

}  // namespace cli
