// Per-benchmark figures over several runs.
#pragma once

#include <vector>

namespace cli {

struct Summary {
  int count = 0;
  double median = 0;
  double minimum = 0;
  double maximum = 0;
  // Sample standard deviation over the mean; 0 for a single value, which shows no spread.
  double cv = 0;
};

// REQUIRES: values is not empty. The median of an even count is the mean of the middle two.
Summary Summarise(std::vector<double> values);

}  // namespace cli
