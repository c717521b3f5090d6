#include "analysis/hamming_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(HammingWindow, EndsAreTheFloorAndTheMiddleThePeak) {
  for (const std::uint32_t size : {2u, 7u, 1024u}) {
    SCOPED_TRACE(size);
    const std::vector<double> window = hamming_window(size);
    ASSERT_EQ(window.size(), size);
    EXPECT_NEAR(window.front(), 0.08, 1e-15);
    EXPECT_NEAR(window.back(), 0.08, 1e-15);
    for (std::size_t i = 0; i < size; ++i) EXPECT_NEAR(window[i], window[size - 1 - i], 1e-15);
    const double peak = *std::max_element(window.begin(), window.end());
    // An odd window has a middle coefficient of exactly 1; an even one peaks
    // between two coefficients.
    if (size % 2 == 1)
      EXPECT_NEAR(peak, 1.0, 1e-15);
    else
      EXPECT_LT(peak, 1.0);
  }
  EXPECT_EQ(hamming_window(1), std::vector<double>{1.0});
}

TEST(HammingWindow, FrameIsTakenOldestFirstWithItsPeakBeforeWindowing) {
  const std::vector<double> ring = {0.25, -0.5, 0.125, -0.75};  // oldest at index 2
  const std::vector<double> window = {0.5, 1.0, 2.0, 4.0};
  std::vector<double> frame(4);

  EXPECT_EQ(window_frame(ring, 2, window, true, frame), 0.75);
  EXPECT_EQ(frame, (std::vector<double>{0.0625, -0.75, 0.5, -2.0}));

  EXPECT_EQ(window_frame(ring, 2, window, false, frame), 0.75);
  EXPECT_EQ(frame, (std::vector<double>{0.125, -0.75, 0.25, -0.5}));
}

}  // namespace
