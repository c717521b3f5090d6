#include "analysis/hamming_window.h"

#include <cmath>
#include <cstdint>

#include "analysis/lane_pair.h"

namespace {

// frame[k] := window[k] * samples[k] (or the bare sample) for k < count.
void copy_run(const double* samples, const double* window, bool apply_window, double* frame,
              std::size_t count) {
  if (apply_window)
    for (std::size_t k = 0; k < count; ++k) frame[k] = window[k] * samples[k];
  else
    for (std::size_t k = 0; k < count; ++k) frame[k] = samples[k];
}

void raise_peak(double& peak, double sample) {
  const double magnitude = std::fabs(sample);
  if (magnitude > peak) peak = magnitude;
}

// The largest absolute value, or 0 if there is none above 0. Eight samples
// per step in four independent two-lane peaks, so that a comparison need not
// wait for the one before; the last few samples go one by one.
double largest_magnitude(const std::vector<double>& samples) {
  const lane_mask sign_bit = {INT64_MIN, INT64_MIN};
  lane_pair peaks[4] = {};
  std::size_t k = 0;
  for (; k + 8 <= samples.size(); k += 8) {
#pragma GCC unroll 4  // keeps the four peaks in registers
    for (std::size_t lane = 0; lane < 4; ++lane) {
      const lane_pair magnitude = lanes_of(bits_of(load_lanes(&samples[k + 2 * lane])) & ~sign_bit);
      peaks[lane] = greater(magnitude, peaks[lane]);
    }
  }
  double peak = 0.0;
  for (const lane_pair& lanes : peaks) {
    raise_peak(peak, lanes[0]);
    raise_peak(peak, lanes[1]);
  }
  for (; k < samples.size(); ++k) raise_peak(peak, samples[k]);
  return peak;
}

}  // namespace

std::vector<double> hamming_window(std::uint32_t size) {
  if (size == 1) return {1.0};  // the formula would divide by zero
  constexpr double two_pi = 6.283185307179586;
  std::vector<double> window(size);
  for (std::uint32_t i = 0; i < size; ++i) window[i] = 0.54 - 0.46 * std::cos((i * two_pi) / (size - 1));
  return window;
}

double window_frame(const std::vector<double>& frame_ring, std::size_t oldest_index,
                    const std::vector<double>& window, bool apply_window, std::vector<double>& frame) {
  // Oldest sample first: the end of the ring from oldest_index, then its start.
  const std::size_t first_run = frame_ring.size() - oldest_index;
  copy_run(frame_ring.data() + oldest_index, window.data(), apply_window, frame.data(), first_run);
  copy_run(frame_ring.data(), window.data() + first_run, apply_window, frame.data() + first_run,
           oldest_index);
  // The frame holds the ring's samples in another order, so its peak is the ring's.
  return largest_magnitude(frame_ring);
}
