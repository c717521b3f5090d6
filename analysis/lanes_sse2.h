// Two doubles in one SSE2 register, for x86-64 and for i686 built with SSE2.
// Each operation is the single instruction that does the scalar arithmetic
// in both lanes, so results are those of plain double code.
#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

namespace sse2_lanes {

// The bits of two lanes: all set in a lane where a comparison holds, none
// where it fails; also the raw bits of a lane_pair.
struct lane_mask {
  __m128d bits;

  lane_mask(std::int64_t first, std::int64_t second)
      : bits(_mm_castsi128_pd(_mm_set_epi64x(second, first))) {}
  explicit lane_mask(__m128d raw) : bits(raw) {}
};

struct lane_pair {
  __m128d lanes;

  lane_pair() : lanes(_mm_setzero_pd()) {}
  // A plain double stands for itself in both lanes, as in scalar code.
  lane_pair(double both) : lanes(_mm_set1_pd(both)) {}
  lane_pair(double first, double second) : lanes(_mm_set_pd(second, first)) {}
  explicit lane_pair(__m128d raw) : lanes(raw) {}

  double operator[](std::size_t lane) const {
    double values[2];
    _mm_storeu_pd(values, lanes);
    return values[lane];
  }
};

inline lane_pair load_lanes(const double* first) { return lane_pair(_mm_loadu_pd(first)); }
inline void store_lanes(double* first, lane_pair value) { _mm_storeu_pd(first, value.lanes); }

inline lane_pair operator+(lane_pair a, lane_pair b) { return lane_pair(_mm_add_pd(a.lanes, b.lanes)); }
inline lane_pair operator-(lane_pair a, lane_pair b) { return lane_pair(_mm_sub_pd(a.lanes, b.lanes)); }
inline lane_pair operator*(lane_pair a, lane_pair b) { return lane_pair(_mm_mul_pd(a.lanes, b.lanes)); }
inline lane_pair operator/(lane_pair a, lane_pair b) { return lane_pair(_mm_div_pd(a.lanes, b.lanes)); }
inline lane_pair square_root(lane_pair a) { return lane_pair(_mm_sqrt_pd(a.lanes)); }

inline lane_mask operator<(lane_pair a, lane_pair b) { return lane_mask(_mm_cmplt_pd(a.lanes, b.lanes)); }
inline lane_mask operator>(lane_pair a, lane_pair b) { return lane_mask(_mm_cmpgt_pd(a.lanes, b.lanes)); }
inline lane_mask operator==(lane_pair a, lane_pair b) { return lane_mask(_mm_cmpeq_pd(a.lanes, b.lanes)); }

// Per lane a < b ? a : b and a > b ? a : b, NaNs and signed zeros included:
// the instructions take the second operand whenever the comparison fails.
inline lane_pair lesser(lane_pair a, lane_pair b) { return lane_pair(_mm_min_pd(a.lanes, b.lanes)); }
inline lane_pair greater(lane_pair a, lane_pair b) { return lane_pair(_mm_max_pd(a.lanes, b.lanes)); }

inline lane_mask operator&(lane_mask a, lane_mask b) { return lane_mask(_mm_and_pd(a.bits, b.bits)); }
inline lane_mask operator|(lane_mask a, lane_mask b) { return lane_mask(_mm_or_pd(a.bits, b.bits)); }
inline lane_mask operator^(lane_mask a, lane_mask b) { return lane_mask(_mm_xor_pd(a.bits, b.bits)); }
inline lane_mask operator~(lane_mask a) {
  return lane_mask(_mm_xor_pd(a.bits, _mm_castsi128_pd(_mm_set1_epi32(-1))));
}

inline lane_mask bits_of(lane_pair a) { return lane_mask(a.lanes); }
inline lane_pair lanes_of(lane_mask a) { return lane_pair(a.bits); }

// Per lane, a where the mask is set, else b.
inline lane_pair select(lane_mask mask, lane_pair a, lane_pair b) {
  return lane_pair(_mm_or_pd(_mm_and_pd(mask.bits, a.lanes), _mm_andnot_pd(mask.bits, b.lanes)));
}

// All bits set in a lane whose top (sign) bit is set. SSE2 has no 64-bit
// arithmetic shift, so the upper 32-bit half of each lane is shifted and
// copied into both halves.
inline lane_mask sign_spread(lane_mask a) {
  const __m128i halves = _mm_srai_epi32(_mm_castpd_si128(a.bits), 31);
  return lane_mask(_mm_castsi128_pd(_mm_shuffle_epi32(halves, _MM_SHUFFLE(3, 3, 1, 1))));
}

// (a[0], b[0]) and (a[1], b[1]).
inline lane_pair first_lanes(lane_pair a, lane_pair b) {
  return lane_pair(_mm_unpacklo_pd(a.lanes, b.lanes));
}
inline lane_pair second_lanes(lane_pair a, lane_pair b) {
  return lane_pair(_mm_unpackhi_pd(a.lanes, b.lanes));
}
inline lane_pair swap_lanes(lane_pair a) { return lane_pair(_mm_shuffle_pd(a.lanes, a.lanes, 1)); }

}  // namespace sse2_lanes
