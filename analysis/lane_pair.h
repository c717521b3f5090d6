// Two doubles handled as one value: one SSE2 register where the processor has
// SSE2 (x86-64, and the i686 build, which asks for it), two plain doubles
// elsewhere. Each lane does exactly the arithmetic a scalar would, so results
// do not depend on which of the two is in use.
#pragma once

#include <cstring>

#include "analysis/lanes_scalar.h"
#if defined(__SSE2__)
#include "analysis/lanes_sse2.h"
namespace lane_ops = sse2_lanes;
#else
namespace lane_ops = scalar_lanes;
#endif

using lane_pair = lane_ops::lane_pair;
using lane_mask = lane_ops::lane_mask;
using lane_ops::load_lanes;
using lane_ops::store_lanes;

// Any record of exactly two doubles (a complex value, a spectrum bin) as lanes.
template <typename Two_doubles>
lane_pair load_lanes(const Two_doubles& value) {
  static_assert(sizeof(Two_doubles) == 2 * sizeof(double), "two doubles expected");
  double both[2];
  std::memcpy(both, &value, sizeof both);
  return lane_ops::load_lanes(both);
}

template <typename Two_doubles>
void store_lanes(Two_doubles& value, lane_pair pair) {
  static_assert(sizeof(Two_doubles) == 2 * sizeof(double), "two doubles expected");
  double both[2];
  lane_ops::store_lanes(both, pair);
  std::memcpy(&value, both, sizeof both);
}
