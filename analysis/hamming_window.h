// The Hamming window and its application to the latest frame of samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// size coefficients 0.54 - 0.46 cos(2 pi i / (size - 1)): 0.08 at both ends,
// peaking at the middle. A window of one sample is 1.0.
std::vector<double> hamming_window(std::uint32_t size);

// Copies the frame ring into frame, oldest sample first (the oldest sits at
// oldest_index), multiplied by the window when apply_window is set. All three
// vectors have the same size. Returns the largest absolute sample value before
// windowing, which the level meter shows.
double window_frame(const std::vector<double>& frame_ring, std::size_t oldest_index,
                    const std::vector<double>& window, bool apply_window, std::vector<double>& frame);
