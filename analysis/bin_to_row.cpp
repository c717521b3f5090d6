#include "analysis/bin_to_row.h"

#include <algorithm>
#include <cmath>

namespace {

// Adds to each row the integral, over the part of previous ... position that the
// row covers, of the line from previous_value to value.
void spread_segment(double previous, double previous_value, double position, double value,
                    std::vector<double>& rows) {
  const std::int64_t lowest_row = previous < 0.0 ? 0 : static_cast<std::int64_t>(std::floor(previous));
  const std::int64_t end_row =
      std::min(static_cast<std::int64_t>(std::ceil(position)), static_cast<std::int64_t>(rows.size()));
  for (std::int64_t r = lowest_row; r < end_row; ++r) {
    const double a = std::max(static_cast<double>(r), previous);
    const double b = std::min(static_cast<double>(r + 1), position);
    const double t = ((a + b) / 2 - previous) / (position - previous);
    rows[r] += (b - a) * (t * value + (1 - t) * previous_value);
  }
}

}  // namespace

void map_bins_to_rows(const std::vector<spectrum_bin>& spectrum, std::uint32_t band_bins,
                      const std::vector<double>& row_edges, std::vector<double>& row_magnitudes,
                      const settings_record& values) {
  std::fill(row_magnitudes.begin(), row_magnitudes.end(), 0.0);
  const std::int64_t height = static_cast<std::int64_t>(row_magnitudes.size());
  // The previous bin's position and magnitude: the left end of the next segment.
  double previous = -1.0;
  double previous_value = 0.0;
  for (std::uint32_t i = 0; i < band_bins; ++i) {
    const double value = spectrum[i].magnitude;
    double position;
    if (values.log_frequency) {
      if (i == 0) continue;  // 0 Hz has no place on a logarithmic axis
      if (i == 1) {
        previous = -1.0;
        previous_value = value;
      }
      position = row_edges[i];
    } else {
      position = static_cast<double>(height * i) / band_bins;
    }

    if (position >= 0.0) {
      if (values.spread_bins)
        spread_segment(previous, previous_value, position, value, row_magnitudes);
      else if (position < height)
        row_magnitudes[static_cast<std::size_t>(position)] += value;
    }
    // Also below the bottom row, so that the first bin inside the column
    // interpolates from the last one beneath it.
    previous = position;
    previous_value = value;
  }
}
