#include "analysis/atan2_lanes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace {

constexpr double pi = 3.14159265358979323846;

// Both lanes at once, the second with the arguments negated, so that every
// case also runs in the opposite quadrant and in either lane.
struct angles {
  double first;
  double opposite;
};

angles atan2_both_lanes(double y, double x) {
  const lane_pair angle = atan2_lanes(lane_pair{y, -y}, lane_pair{x, -x});
  return {angle[0], angle[1]};
}

// Distance in units in the last place: the number of doubles between the two,
// for results of the same sign (the angle's sign is y's, so they share it).
std::int64_t ulps_between(double a, double b) {
  std::int64_t ia, ib;
  std::memcpy(&ia, &a, sizeof a);
  std::memcpy(&ib, &b, sizeof b);
  if ((ia < 0) != (ib < 0)) return std::numeric_limits<std::int64_t>::max();
  return ia > ib ? ia - ib : ib - ia;
}

bool same_bits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Atan2Lanes, SignedZerosAxesAndDiagonalsAsTheLibrary) {
  const double tiny = std::numeric_limits<double>::denorm_min();
  const double huge = std::numeric_limits<double>::max();
  const double inf = std::numeric_limits<double>::infinity();
  struct point {
    double y, x;
  };
  const point points[] = {
      {0.0, 0.0},          {-0.0, 0.0},         {0.0, -0.0},       {-0.0, -0.0},     // +-0 and +-pi
      {0.0, 3.0},          {-0.0, 3.0},         {0.0, -3.0},       {-0.0, -3.0},     // on the x axis
      {2.0, 0.0},          {2.0, -0.0},         {-2.0, 0.0},       {-2.0, -0.0},     // on the y axis: +-pi/2
      {1.0, 1.0},          {-1.0, 1.0},         {1.0, -1.0},       {-1.0, -1.0},     // the diagonals
      {tiny, 1.0},         {1.0, tiny},         {tiny, -1.0},      {tiny, tiny},     // subnormal coordinates
      {huge, huge},        {huge, -huge},       {-huge, huge / 3}, {1e-300, 1e300},  // extremes
      {huge * 0.75, huge}, {-huge, huge * 0.6},                                   // their sum would overflow
      {inf, 1.0},          {1.0, inf},          {1.0, -inf},       {-inf, -1.0},  // one infinite coordinate
  };
  for (const point& p : points) {
    SCOPED_TRACE(testing::Message() << "y " << p.y << " x " << p.x);
    const angles got = atan2_both_lanes(p.y, p.x);
    const double expected = std::atan2(p.y, p.x);
    const double expected_opposite = std::atan2(-p.y, -p.x);
    EXPECT_LE(ulps_between(got.first, expected), 1) << got.first << " vs " << expected;
    EXPECT_LE(ulps_between(got.opposite, expected_opposite), 1)
        << got.opposite << " vs " << expected_opposite;
    // Zero results must carry the library's sign.
    if (expected == 0.0) {
      EXPECT_TRUE(same_bits(got.first, expected));
    }
    if (expected_opposite == 0.0) {
      EXPECT_TRUE(same_bits(got.opposite, expected_opposite));
    }
  }
}

TEST(Atan2Lanes, NaNInEitherArgumentGivesNaN) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const double other : {0.0, -0.0, 1.0, -2.5}) {
    SCOPED_TRACE(other);
    EXPECT_TRUE(std::isnan(atan2_both_lanes(nan, other).first));
    EXPECT_TRUE(std::isnan(atan2_both_lanes(other, nan).first));
  }
}

// The largest difference from std::atan2 over many points, in units in the last
// place, for points drawn with the given ratio |y| / |x| spread.
std::int64_t largest_error(double log10_ratio_low, double log10_ratio_high, unsigned seed) {
  std::mt19937_64 random(seed);
  std::uniform_real_distribution<double> log_ratio(log10_ratio_low, log10_ratio_high);
  std::uniform_real_distribution<double> log_size(-30.0, 30.0);
  std::uniform_int_distribution<int> signs(0, 3);
  std::int64_t largest = 0;
  for (int i = 0; i < 200000; ++i) {
    const double x_size = std::pow(10.0, log_size(random));
    double x = x_size, y = x_size * std::pow(10.0, log_ratio(random));
    const int s = signs(random);
    if (s & 1) x = -x;
    if (s & 2) y = -y;
    const angles got = atan2_both_lanes(y, x);
    const std::int64_t error =
        std::max(ulps_between(got.first, std::atan2(y, x)), ulps_between(got.opposite, std::atan2(-y, -x)));
    if (error > largest) largest = error;
  }
  return largest;
}

TEST(Atan2Lanes, WithinTwoUnitsInTheLastPlaceOfTheLibrary) {
  struct range {
    double log10_ratio_low, log10_ratio_high;
    const char* what;
  };
  const range ranges[] = {
      {-3.0, 3.0, "all octants"},
      {-0.4, -0.36, "around tan(pi/8), where the reduction switches"},
      {-0.01, 0.01, "around the diagonal, where the coordinates swap"},
      {0.36, 0.4, "around tan(3pi/8)"},
      {-300.0, -5.0, "tiny ratios"},
      {5.0, 300.0, "huge ratios"},
  };
  unsigned seed = 1;
  for (const range& r : ranges) {
    const std::int64_t error = largest_error(r.log10_ratio_low, r.log10_ratio_high, seed++);
    EXPECT_LE(error, 2) << r.what;
    std::printf("largest difference from std::atan2, %s: %lld ulp\n", r.what, static_cast<long long>(error));
  }
}

TEST(Atan2Lanes, QuarterTurnsOfAUnitVector) {
  // Angles k pi/8 all round the circle, from cos and sin: the result is the
  // angle itself up to the rounding of the point's coordinates.
  for (int k = -7; k <= 8; ++k) {
    const double angle = k * pi / 8;
    EXPECT_NEAR(atan2_both_lanes(std::sin(angle), std::cos(angle)).first, angle, 1e-15) << "k " << k;
  }
}

}  // namespace
