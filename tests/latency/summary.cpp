#include "tests/latency/summary.h"

#include <algorithm>
#include <cmath>

namespace latency {

summary summarise(std::vector<double> delays) {
  std::sort(delays.begin(), delays.end());
  const auto rank = [&](double p) {
    const auto k = static_cast<std::size_t>(std::ceil(p * static_cast<double>(delays.size())));
    return delays[std::max<std::size_t>(k, 1) - 1];
  };
  return {rank(0.5), rank(0.95), delays.back()};
}

}  // namespace latency
