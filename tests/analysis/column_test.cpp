// A column built the way the viewer builds it: window, transform, rows, pixels.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

#include "analysis/bin_to_row.h"
#include "analysis/column_colouring.h"
#include "analysis/fft.h"
#include "analysis/hamming_window.h"
#include "analysis/row_edges.h"

namespace {

using bytes = std::array<unsigned char, 4>;

struct column {
  double peak;
  std::vector<spectrum_bin> spectrum;
  std::vector<bytes> pixels;  // bottom row first
};

// Uses the program-wide settings, as the viewer does.
column build_column(const std::vector<double>& samples, std::int32_t height) {
  column result;
  std::vector<double> frame(samples.size());
  result.peak = window_frame(samples, 0, hamming_window(settings.fft_size), settings.apply_window, frame);
  result.spectrum.resize(settings.fft_size / 2 + 1);
  FFT(settings.fft_size).transform(frame, result.spectrum);
  std::vector<double> rows(height);
  map_bins_to_rows(result.spectrum, shown_band_bins(), log_row_edges(height), rows);
  result.pixels.resize(height);
  colour_column(rows, result.pixels.front().data(), sizeof(bytes), 0);
  return result;
}

TEST(Column, SilenceIsBlackOnBothLevelScales) {
  const bool saved = settings.log_amplitude;
  for (const bool logarithmic : {true, false}) {
    settings.log_amplitude = logarithmic;
    const column c = build_column(std::vector<double>(1024, 0.0), 400);
    EXPECT_EQ(c.peak, 0.0);
    std::size_t lit_rows = 0;
    for (const bytes& pixel : c.pixels) lit_rows += pixel != bytes{0, 0, 0, 0xFF};
    EXPECT_EQ(lit_rows, 0u) << (logarithmic ? "logarithmic" : "linear");
  }
  settings.log_amplitude = saved;
}

TEST(Column, FullScaleToneShowsRedAtItsFrequency) {
  // 1000 Hz is bin 128; on the axis from 60 to 2000 Hz it sits at
  // ln(1000/60) / ln(2000/60) of the height, row 320 of 400.
  std::vector<double> samples(1024);
  constexpr double pi = 3.14159265358979323846;
  for (std::size_t j = 0; j < samples.size(); ++j) samples[j] = std::cos(2 * pi * 128 * j / 1024);
  const column c = build_column(samples, 400);
  EXPECT_EQ(c.peak, 1.0);
  EXPECT_NEAR(c.spectrum[128].magnitude, 0.54, 0.005);  // the window's mean
  EXPECT_EQ(c.pixels[320], (bytes{0, 1, 255, 0xFF}));
}

}  // namespace
