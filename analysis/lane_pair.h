// Two doubles handled as one SIMD value (GCC vector extension): one SSE2
// register on x86-64, two plain doubles on targets without vector registers
// (i686). Each lane does exactly the arithmetic a scalar would, so results do
// not depend on whether the hardware runs the lanes together.
#pragma once

#include <cstring>

typedef double lane_pair __attribute__((vector_size(16)));
// What comparing two lane_pairs gives: all bits set in a lane where the
// comparison holds, none where it fails. Also used to reach the bits of a lane.
typedef decltype(lane_pair{} < lane_pair{}) lane_mask;

// Two consecutive doubles as lanes, first in lane 0.
inline lane_pair load_lanes(const double* first) {
  lane_pair lanes;
  std::memcpy(&lanes, first, sizeof lanes);
  return lanes;
}

// Any record of exactly two doubles (a complex value, a spectrum bin) as lanes.
template <typename Two_doubles>
lane_pair load_lanes(const Two_doubles& value) {
  static_assert(sizeof(Two_doubles) == sizeof(lane_pair), "two doubles expected");
  lane_pair lanes;
  std::memcpy(&lanes, &value, sizeof lanes);
  return lanes;
}

template <typename Two_doubles>
void store_lanes(Two_doubles& value, lane_pair lanes) {
  static_assert(sizeof(Two_doubles) == sizeof(lane_pair), "two doubles expected");
  std::memcpy(&value, &lanes, sizeof lanes);
}
