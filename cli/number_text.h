// Numbers to and from text without the C library's locale: a result field's "12.5" must
// read as twelve and a half, and everything we print uses a decimal point, whatever
// LC_NUMERIC says.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cli/run_record.h"

namespace cli {

// The whole text as a finite number, or nothing ("-----", "", "12x").
std::optional<double> ParseRate(std::string_view text);

// A rate as the window would show it for that benchmark: four significant digits for
// Dhrystone, whole numbers (truncated) for the others.
std::string FormatRate(Benchmark b, double rate);

// Four significant digits, as "%.4g" would give them.
std::string FormatSignificant(double value);

// Fixed-point with the given number of decimals.
std::string FormatFixed(double value, int decimals);

}  // namespace cli
