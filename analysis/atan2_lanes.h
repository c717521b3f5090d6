// atan2 for two lanes at once, without branches, so that the phase of every
// spectrum bin costs a few vector operations instead of a library call each.
#pragma once

#include <cstdint>

#include "analysis/lane_pair.h"

// Per lane, the angle of the point (x, y) in -pi ... pi, as std::atan2(y, x):
// within two units in the last place of it (the tests measure the largest
// difference), with the same signed zeros and +-pi on the axes. A NaN in
// either argument gives NaN. Meant for finite arguments; one infinite argument
// also works, both infinite gives NaN rather than an odd multiple of pi/4.
inline lane_pair atan2_lanes(lane_pair y, lane_pair x) {
  const lane_mask sign_bit = {INT64_MIN, INT64_MIN};
  const lane_mask x_bits = (lane_mask)x;
  const lane_mask y_bits = (lane_mask)y;
  const lane_mask x_abs_bits = x_bits & ~sign_bit;
  const lane_mask y_abs_bits = y_bits & ~sign_bit;
  const lane_pair ax = (lane_pair)x_abs_bits;
  const lane_pair ay = (lane_pair)y_abs_bits;

  // First octant: the ratio of the smaller to the larger coordinate, 0 ... 1.
  const lane_mask swapped = ay > ax;
  const lane_pair small = swapped ? ax : ay;
  const lane_pair large = swapped ? ay : ax;
  // Above tan(pi/8) the angle is taken as pi/4 plus atan((r - 1) / (r + 1)),
  // so the polynomial below only has to cover |t| <= tan(pi/8). Both forms
  // share one division. Halving keeps small + large finite near the top of the
  // double range; it is exact there.
  const lane_mask shifted = small > 0.41421356237309503 * large;
  const lane_pair halving = large > 0x1p1022 ? lane_pair{0.5, 0.5} : lane_pair{1.0, 1.0};
  const lane_pair numerator = shifted ? (small - large) * halving : small;
  const lane_pair denominator = shifted ? small * halving + large * halving : large;
  const lane_mask both_zero = (small == 0.0) & (large == 0.0);
  const lane_pair t = both_zero ? lane_pair{0.0, 0.0} : numerator / denominator;

  // atan t = t + t u P(u), u = t^2, with P a near-minimax fit (Chebyshev
  // interpolation, degree 10) on 0 ... 0.4143^2: its error shifts atan t by
  // under 6e-18 relative, far below the rounding of the sums that follow.
  const lane_pair u = t * t;
  lane_pair p = -0.01917070039374299 * u + 0.03922660551087136;
  p = p * u - 0.050852748016420944;
  p = p * u + 0.05858115476299884;
  p = p * u - 0.06664507597561675;
  p = p * u + 0.07692182917461161;
  p = p * u - 0.09090904566354399;
  p = p * u + 0.1111111101496664;
  p = p * u - 0.1428571428466294;
  p = p * u + 0.19999999999995505;
  p = p * u - 0.3333333333333333;
  const lane_pair atan_t = t + (t * u) * p;

  // Multiples of pi/4 are added as a rounded head and the small remainder,
  // which goes in first, so the constant costs no accuracy.
  constexpr double pi_head = 0x1.921fb54442d18p+1;
  constexpr double pi_tail = 0x1.1a62633145c07p-53;
  const lane_pair zero = {0.0, 0.0};
  const lane_pair octant = shifted ? (atan_t + pi_tail / 4) + pi_head / 4 : atan_t;  // 0 ... pi/4

  // Unfolding to 0 ... pi: (+x, no swap) octant, (+x, swap) pi/2 - octant,
  // (-x, no swap) pi - octant, (-x, swap) pi/2 + octant. The sign of x is read
  // from its sign bit, so that -0 counts as negative, as in std::atan2.
  // (SSE2 has no 64-bit integer comparison, so the sign goes onto 1.0 and is
  // tested there.)
  const lane_mask one_bits = (lane_mask)lane_pair{1.0, 1.0} | (x_bits & sign_bit);
  const lane_mask x_negative = (lane_pair)one_bits < 0.0;
  const lane_mask subtract = swapped ^ x_negative;
  const lane_mask octant_bits = (lane_mask)octant ^ (subtract & sign_bit);
  const lane_pair signed_octant = (lane_pair)octant_bits;
  const lane_pair head = swapped ? lane_pair{pi_head / 2, pi_head / 2} : (x_negative ? lane_pair{pi_head, pi_head} : zero);
  const lane_pair tail = swapped ? lane_pair{pi_tail / 2, pi_tail / 2} : (x_negative ? lane_pair{pi_tail, pi_tail} : zero);
  const lane_pair angle = (signed_octant + tail) + head;  // 0 ... pi, sign bit clear

  const lane_mask result_bits = (lane_mask)angle | (y_bits & sign_bit);
  return (lane_pair)result_bits;
}
