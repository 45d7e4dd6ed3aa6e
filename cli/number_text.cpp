#include "cli/number_text.h"

#include <charconv>
#include <cmath>

namespace cli {

std::optional<double> ParseRate(std::string_view text) {
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::string FormatRate(Benchmark b, double rate) {
  char text[64];
  std::to_chars_result result;
  if (b == Benchmark::Dhrystone)
    result = std::to_chars(text, text + sizeof text, rate, std::chars_format::general, 4);
  else
    result = std::to_chars(text, text + sizeof text, std::trunc(rate), std::chars_format::fixed, 0);
  return std::string(text, result.ptr);
}

std::string FormatSignificant(double value) {
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 4);
  return std::string(text, result.ptr);
}

std::string FormatFixed(double value, int decimals) {
  char text[64];
  auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, result.ptr);
}

}  // namespace cli
