#include "cli/statistics.h"

#include <algorithm>
#include <cassert>

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
  return s;
}

}  // namespace cli
