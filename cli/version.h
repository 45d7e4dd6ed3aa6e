// The program's version, as --version prints it and every saved result records it.
#pragma once

namespace cli {

constexpr char kVersion[] = "0.9.0";

}  // namespace cli
