// Two doubles as two plain doubles, for processors without SSE2: the same
// operations as sse2_lanes, lane by lane, with the same results to the bit.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>

namespace scalar_lanes {

struct lane_mask {
  std::uint64_t bits[2];

  lane_mask(std::int64_t first, std::int64_t second)
      : bits{static_cast<std::uint64_t>(first), static_cast<std::uint64_t>(second)} {}
};

struct lane_pair {
  double lanes[2];

  lane_pair() : lanes{0.0, 0.0} {}
  // A plain double stands for itself in both lanes, as in scalar code.
  lane_pair(double both) : lanes{both, both} {}
  lane_pair(double first, double second) : lanes{first, second} {}

  double operator[](std::size_t lane) const { return lanes[lane]; }
};

template <typename Operation>
lane_pair each_lane(lane_pair a, lane_pair b, Operation operation) {
  return {operation(a.lanes[0], b.lanes[0]), operation(a.lanes[1], b.lanes[1])};
}

template <typename Test>
lane_mask each_test(lane_pair a, lane_pair b, Test test) {
  return {test(a.lanes[0], b.lanes[0]) ? -1 : 0, test(a.lanes[1], b.lanes[1]) ? -1 : 0};
}

template <typename Operation>
lane_mask each_bits(lane_mask a, lane_mask b, Operation operation) {
  return {static_cast<std::int64_t>(operation(a.bits[0], b.bits[0])),
          static_cast<std::int64_t>(operation(a.bits[1], b.bits[1]))};
}

inline lane_pair load_lanes(const double* first) { return {first[0], first[1]}; }
inline void store_lanes(double* first, lane_pair value) {
  first[0] = value.lanes[0];
  first[1] = value.lanes[1];
}

inline lane_pair operator+(lane_pair a, lane_pair b) { return each_lane(a, b, std::plus<double>()); }
inline lane_pair operator-(lane_pair a, lane_pair b) { return each_lane(a, b, std::minus<double>()); }
inline lane_pair operator*(lane_pair a, lane_pair b) { return each_lane(a, b, std::multiplies<double>()); }
inline lane_pair operator/(lane_pair a, lane_pair b) { return each_lane(a, b, std::divides<double>()); }
inline lane_pair square_root(lane_pair a) { return {std::sqrt(a.lanes[0]), std::sqrt(a.lanes[1])}; }

inline lane_mask operator<(lane_pair a, lane_pair b) { return each_test(a, b, std::less<double>()); }
inline lane_mask operator>(lane_pair a, lane_pair b) { return each_test(a, b, std::greater<double>()); }
inline lane_mask operator==(lane_pair a, lane_pair b) { return each_test(a, b, std::equal_to<double>()); }

inline lane_pair lesser(lane_pair a, lane_pair b) {
  return each_lane(a, b, [](double x, double y) { return x < y ? x : y; });
}
inline lane_pair greater(lane_pair a, lane_pair b) {
  return each_lane(a, b, [](double x, double y) { return x > y ? x : y; });
}

inline lane_mask operator&(lane_mask a, lane_mask b) {
  return each_bits(a, b, std::bit_and<std::uint64_t>());
}
inline lane_mask operator|(lane_mask a, lane_mask b) { return each_bits(a, b, std::bit_or<std::uint64_t>()); }
inline lane_mask operator^(lane_mask a, lane_mask b) {
  return each_bits(a, b, std::bit_xor<std::uint64_t>());
}
inline lane_mask operator~(lane_mask a) {
  return a ^ lane_mask { -1, -1 };
}

inline lane_mask bits_of(lane_pair a) {
  lane_mask bits{0, 0};
  std::memcpy(bits.bits, a.lanes, sizeof bits.bits);
  return bits;
}
inline lane_pair lanes_of(lane_mask a) {
  lane_pair lanes;
  std::memcpy(lanes.lanes, a.bits, sizeof lanes.lanes);
  return lanes;
}

// Per lane, a where the mask is set, else b.
inline lane_pair select(lane_mask mask, lane_pair a, lane_pair b) {
  return lanes_of((mask & bits_of(a)) | (~mask & bits_of(b)));
}

// All bits set in a lane whose top (sign) bit is set.
inline lane_mask sign_spread(lane_mask a) { return {a.bits[0] >> 63 ? -1 : 0, a.bits[1] >> 63 ? -1 : 0}; }

// (a[0], b[0]) and (a[1], b[1]).
inline lane_pair first_lanes(lane_pair a, lane_pair b) { return {a.lanes[0], b.lanes[0]}; }
inline lane_pair second_lanes(lane_pair a, lane_pair b) { return {a.lanes[1], b.lanes[1]}; }
inline lane_pair swap_lanes(lane_pair a) { return {a.lanes[1], a.lanes[0]}; }

}  // namespace scalar_lanes
