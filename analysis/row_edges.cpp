#include "analysis/row_edges.h"

#include <cmath>
#include <limits>

std::vector<double> log_row_edges(std::int32_t height, const settings_record& values) {
  const std::uint32_t band_bins = shown_band_bins(values);
  // Frequencies are taken as fractions of the sample rate: ln(f / min) / ln(top / min).
  const double low = std::log(values.min_frequency / values.sample_rate);
  const double top = std::log((values.sample_rate * 0.5 / values.band_divisor) / values.sample_rate);
  const double scale = height / (top - low);
  const double offset = -(scale * low);

  std::vector<double> edges(band_bins + 1, 0.0);
  for (std::uint32_t i = 0; i < band_bins; ++i)
    edges[i] = std::log(static_cast<double>(i) / values.fft_size) * scale + offset;
  edges[band_bins] = std::numeric_limits<double>::max();
  return edges;
}
