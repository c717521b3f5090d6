// How soon a sound shows: the delay from a tone's first sample to the first
// presented pixel that shows it, at the window's right edge in the tone's row.
//
// measured_delays runs the whole program on the scripted host, whose
// microphone hands every sample over the moment it is taken, so whatever the
// delays come to is what the program's own design adds. floor_delays computes
// the same delays from the design alone: a column is built from a hop of
// samples once the capture buffer holding the hop's last sample is complete
// and a frame tick has looked at it, and it shows on the frame tick after
// that. Both spread the onsets uniformly over the phases of the buffers, the
// hops and the frame ticks.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/latency/summary.h"

namespace latency {

struct design {
  std::int32_t rate;           // samples per second
  std::int32_t buffer_frames;  // samples per capture buffer
  std::int32_t hop_size;       // samples per column
  std::int64_t tick_ns;        // frame period
};

// The sizes the program runs with: its settings, its capture buffers and its
// frame timer.
design program_design();

// Delays in milliseconds of `onsets` tones on the whole program, each in a
// fresh run: the capture starts at a random phase of the frame ticks (a resize
// restarts it) and the tone at a random phase of the buffers and hops.
std::vector<double> measured_delays(std::int32_t onsets, std::uint32_t seed);

// Delays in milliseconds the design sets, over an even grid of onset and frame
// tick phases.
std::vector<double> floor_delays(const design& d);

}  // namespace latency
