#include "analysis/polar.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(ToPolar, EveryBinOfOddAndEvenCounts) {
  // (re, im) points whose magnitudes are exact, in all four quadrants and on
  // the axes; each count converts a prefix, so the last bin is sometimes
  // paired with the next and sometimes alone.
  const std::vector<spectrum_bin> points = {{3.0, 4.0}, {-5.0, 12.0}, {-8.0, -15.0}, {0.6, -0.8},
                                            {0.0, 2.0}, {-7.0, 0.0},  {0.0, 0.0}};
  for (std::size_t count = 1; count <= points.size(); ++count) {
    SCOPED_TRACE(count);
    std::vector<spectrum_bin> bins(points.begin(), points.end());
    to_polar(bins.data(), count);
    for (std::size_t i = 0; i < points.size(); ++i) {
      const double re = points[i].magnitude, im = points[i].phase;
      if (i >= count) {  // beyond the count nothing changes
        EXPECT_EQ(bins[i].magnitude, re) << "bin " << i;
        EXPECT_EQ(bins[i].phase, im) << "bin " << i;
        continue;
      }
      EXPECT_EQ(bins[i].magnitude, std::sqrt(re * re + im * im)) << "bin " << i;
      EXPECT_NEAR(bins[i].phase, std::atan2(im, re), 1e-15) << "bin " << i;
    }
  }
}

}  // namespace
