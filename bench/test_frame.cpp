#include "bench/test_frame.h"

#include <cmath>
#include <random>

#include "analysis/settings.h"

std::vector<double> test_frame() {
  constexpr double two_pi = 6.283185307179586;
  std::mt19937 random(1);
  std::normal_distribution<double> noise(0.0, 0.002);
  std::vector<double> frame(settings.fft_size);
  for (std::size_t j = 0; j < frame.size(); ++j) {
    const double t = j / settings.sample_rate;
    frame[j] = 0.3 * std::sin(two_pi * 440.0 * t) + 0.05 * std::sin(two_pi * 1250.0 * t) + noise(random);
  }
  return frame;
}
