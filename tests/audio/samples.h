// Sample helpers shared by the audio tests and the capture check.
#pragma once

#include <cstdint>
#include <numeric>
#include <vector>

#include "audio/wave_input.h"

// first, first + 1, ...: any gap, repetition or reordering shows.
inline std::vector<std::int16_t> numbered(std::size_t count, std::int16_t first = 0) {
  std::vector<std::int16_t> samples(count);
  std::iota(samples.begin(), samples.end(), first);
  return samples;
}

// Reads a wave input ring as the column builder does: the buffers the last
// re-queueing took back, from where the last read stopped, wrapping at the end.
inline std::vector<std::int16_t> take_completed(const wave_input& capture, std::uint32_t& read_position) {
  std::vector<std::int16_t> taken;
  for (std::uint32_t n = capture.fresh_buffers * capture.buffer_frames * capture.channels; n > 0; --n) {
    taken.push_back(capture.sample_ring[read_position]);
    read_position = (read_position + 1) % capture.ring_length;
  }
  return taken;
}
