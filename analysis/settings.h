// The program-wide settings: every tunable value of the capture, analysis and
// display pipeline, built in. Nothing is read from outside the program.
#pragma once

#include <cstdint>

struct settings_record {
  // Built-in values. Only log_amplitude changes while the program runs.
  std::uint32_t fft_size = 1024;       // samples per frame; a power of two, at least 2
  double sample_rate = 8000.0;         // capture rate, mono 16-bit
  std::uint32_t hop_size = 128;        // new samples per image column
  std::uint32_t band_divisor = 2;      // show the lowest 1/band_divisor of 0 ... sample_rate / 2
  bool log_frequency = true;           // rows spaced logarithmically from min_frequency
  bool log_amplitude = true;           // logarithmic magnitude-to-level mapping ('a' flips it)
  bool apply_window = true;            // Hamming window before the transform
  bool colour_map = true;              // colour ramp; false shows grey
  bool spread_bins = true;             // interpolate bin magnitudes over the rows between bins
  double min_frequency = 60.0;         // Hz at the bottom of the logarithmic axis
  double log_amplitude_factor = 21.0;  // level 0 and 1 lie this factor times e apart
  double min_magnitude = 1e-5;         // row magnitude shown as level 0
  double max_magnitude = 0.03;         // row magnitude shown as level 1; above min_magnitude
  std::uint32_t level_meter_width = 380;

  // Run-time values, flipped by keys.
  bool paused = false;
  bool show_level_meter = false;
  // The level meter keeps the scale bounds the program started with.
  double meter_floor = min_magnitude;
  double meter_ceiling = max_magnitude;
};

// The one instance. Its initial values are constants, so it holds them before
// any code of the program runs, whatever the order of static initialisation.
extern settings_record settings;

// Number of spectrum bins shown: the lowest 1/band_divisor of the n/2 bins
// below half the sample rate (256 with the built-in values).
std::uint32_t shown_band_bins(const settings_record& values = settings);
