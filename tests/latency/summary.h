// The figures a latency measurement prints.
#pragma once

#include <vector>

namespace latency {

struct summary {
  double p50, p95, max;  // milliseconds
};

// The median, 95th percentile (both the nearest rank) and maximum of `delays`,
// which must not be empty.
summary summarise(std::vector<double> delays);

}  // namespace latency
