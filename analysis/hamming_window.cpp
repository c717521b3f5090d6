#include "analysis/hamming_window.h"

#include <algorithm>
#include <cmath>

std::vector<double> hamming_window(std::uint32_t size) {
  if (size == 1) return {1.0};  // the formula would divide by zero
  constexpr double two_pi = 6.283185307179586;
  std::vector<double> window(size);
  for (std::uint32_t i = 0; i < size; ++i)
    window[i] = 0.54 - 0.46 * std::cos((i * two_pi) / (size - 1));
  return window;
}

double window_frame(const std::vector<double>& frame_ring, std::size_t oldest_index,
                    const std::vector<double>& window, bool apply_window,
                    std::vector<double>& frame) {
  // Oldest sample first: the end of the ring from oldest_index, then its start.
  const std::size_t size = frame_ring.size();
  const std::size_t first_run = size - oldest_index;
  double peak = 0.0;
  for (std::size_t k = 0; k < size; ++k) {
    const double x = k < first_run ? frame_ring[oldest_index + k] : frame_ring[k - first_run];
    frame[k] = apply_window ? window[k] * x : x;
    peak = std::max(peak, std::fabs(x));
  }
  return peak;
}
