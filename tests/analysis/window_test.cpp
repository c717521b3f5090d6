#include "analysis/hamming_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
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

TEST(HammingWindow, PeakIsFoundWhereverItLies) {
  // Rings of several lengths, each with its largest magnitude (of either
  // sign) at every position in turn and every frame start, so that the peak is
  // met in each lane of the wide part and in the remainder.
  for (const std::size_t size : {1u, 7u, 8u, 9u, 23u, 1024u}) {
    for (std::size_t at = 0; at < size; ++at) {
      std::vector<double> ring(size);
      for (std::size_t k = 0; k < size; ++k) ring[k] = (k % 2 ? -0.25 : 0.125) * (1.0 + k % 5 / 8.0);
      ring[at] = at % 2 ? -0.9 : 0.9;
      const std::vector<double> window(size, 1.0);
      std::vector<double> frame(size);
      for (const std::size_t oldest : {std::size_t{0}, at, size - 1}) {
        ASSERT_EQ(window_frame(ring, oldest, window, true, frame), 0.9) << "size " << size << " at " << at;
        EXPECT_EQ(frame[(at + size - oldest) % size], ring[at]);
      }
    }
  }
}

}  // namespace
