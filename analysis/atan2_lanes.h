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
//
// SSE2 has no blend instruction, so a choice between two values costs three
// operations; where one side is 0 it is written as a single mask instead.
inline lane_pair atan2_lanes(lane_pair y, lane_pair x) {
  const lane_mask sign_bit = {INT64_MIN, INT64_MIN};
  const lane_pair one = {1.0, 1.0};
  const lane_mask x_bits = bits_of(x);
  const lane_mask y_bits = bits_of(y);
  const lane_pair ax = lanes_of(x_bits & ~sign_bit);
  const lane_pair ay = lanes_of(y_bits & ~sign_bit);

  // First octant: the ratio of the smaller to the larger coordinate, 0 ... 1.
  // A NaN in either coordinate ends up in one of the two.
  const lane_mask swapped = ay > ax;
  const lane_pair small = lesser(ax, ay);
  const lane_pair large = greater(ay, ax);
  // Above tan(pi/8) the angle is taken as pi/4 + atan((r - 1) / (r + 1)), so the
  // polynomial below only has to cover |t| <= tan(pi/8); both forms share one
  // division. Where both coordinates are 0 the denominator becomes 1, giving t = 0.
  const lane_mask shifted = small > 0.41421356237309503 * large;
  // Both halved near the top of the double range, so that their sum stays
  // finite; the halving is exact there (a small coordinate that loses a bit
  // gives a ratio that underflows to 0 anyway). Elsewhere the factor is 1.
  const lane_pair scale = one - lanes_of(bits_of(lane_pair{0.5, 0.5}) & (large > 0x1p1022));
  const lane_pair small_scaled = small * scale;
  const lane_pair large_scaled = large * scale;
  const lane_pair numerator = small_scaled - lanes_of(shifted & bits_of(large_scaled));
  const lane_pair denominator =
      large_scaled + lanes_of(shifted & bits_of(small_scaled)) + lanes_of((large == 0.0) & bits_of(one));
  const lane_pair t = numerator / denominator;

  // atan t = t + t u P(u), u = t^2, with P a near-minimax fit (Chebyshev
  // interpolation, degree 10) on 0 ... 0.4143^2: its error shifts atan t by
  // under 6e-18 relative, far below the rounding of the sums that follow.
  // Evaluated in independent pieces (Estrin's scheme), so that the chain of
  // dependent products is four long rather than ten.
  const lane_pair u = t * t;
  const lane_pair u2 = u * u;
  const lane_pair u4 = u2 * u2;
  const lane_pair u8 = u4 * u4;
  const lane_pair p01 = -0.3333333333333333 + 0.19999999999995505 * u;
  const lane_pair p23 = -0.1428571428466294 + 0.1111111101496664 * u;
  const lane_pair p45 = -0.09090904566354399 + 0.07692182917461161 * u;
  const lane_pair p67 = -0.06664507597561675 + 0.05858115476299884 * u;
  const lane_pair p89 = -0.050852748016420944 + 0.03922660551087136 * u;
  const lane_pair p = (p01 + u2 * p23) + u4 * (p45 + u2 * p67) + u8 * (p89 - 0.01917070039374299 * u2);
  const lane_pair atan_t = t + (t * u) * p;

  // Multiples of pi/4 are added as a rounded head and the small remainder,
  // which goes in first, so the constant costs no accuracy. The remainder is
  // the head times a fixed ratio, close enough for a term of 1e-16.
  constexpr double pi_head = 0x1.921fb54442d18p+1;
  constexpr double tail_ratio = 0x1.1a62633145c07p-53 / pi_head;
  const lane_pair quarter = lanes_of(shifted & bits_of(lane_pair{pi_head / 4, pi_head / 4}));
  const lane_pair octant = (atan_t + quarter * tail_ratio) + quarter;  // 0 ... pi/4

  // Unfolding to 0 ... pi: (+x, no swap) octant, (+x, swap) pi/2 - octant,
  // (-x, no swap) pi - octant, (-x, swap) pi/2 + octant. The sign of x is read
  // from its sign bit, so that -0 counts as negative, as in std::atan2.
  const lane_mask x_negative = sign_spread(x_bits);
  const lane_pair signed_octant = lanes_of(bits_of(octant) ^ ((swapped ^ x_negative) & sign_bit));
  const lane_pair half_turn = lanes_of(x_negative & bits_of(lane_pair{pi_head, pi_head}));
  const lane_pair quarter_turn = lanes_of(swapped & bits_of(lane_pair{pi_head / 2, pi_head / 2}));
  // pi/2 with the swap, whatever the sign of x; else pi or 0.
  const lane_pair head = quarter_turn + lanes_of(~swapped & bits_of(half_turn));
  const lane_pair angle = (signed_octant + head * tail_ratio) + head;  // 0 ... pi, sign bit clear

  return lanes_of(bits_of(angle) | (y_bits & sign_bit));
}
