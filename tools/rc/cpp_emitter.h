// Writes compiled resources as a C++ source that registers them with the platform when
// the program starts.
#pragma once

#include <string>
#include <vector>

#include "compiler.h"

namespace rc {

std::string emit_cpp(const std::vector<CompiledResource>& resources, const std::string& script_name);

}  // namespace rc
