#include "cli/statistics.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>

namespace cli {

Summary Summarise(std::vector<double> values) {
  assert(!values.empty());
  std::sort(values.begin(), values.end());
  Summary s;
  s.count = static_cast<int>(values.size());
  s.minimum = values.front();
  s.maximum = values.back();
  std::size_t middle = values.size() / 2;
  s.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
  double mean = std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
  if (values.size() > 1 && mean > 0) {
    double squares = 0;
    for (double v : values) squares += (v - mean) * (v - mean);
    s.cv = std::sqrt(squares / static_cast<double>(values.size() - 1)) / mean;
  }
  return s;
}

}  // namespace cli
