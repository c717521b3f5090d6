#include "analysis/bin_to_row.h"

#include <algorithm>

#include "analysis/lane_pair.h"

namespace {

// The smallest whole number at or above x, for 0 <= x < 2^53, without a
// library call (the baseline x86-64 has no rounding instruction).
std::int64_t ceiling(double x) {
  const std::int64_t whole = static_cast<std::int64_t>(x);
  return whole < x ? whole + 1 : whole;
}

// Adds to each row the integral, over the part of previous ... position that the
// row covers, of the line from previous_value to value.
void spread_segment(double previous, double previous_value, double position, double value,
                    std::vector<double>& rows) {
  const double height = static_cast<double>(rows.size());
  if (previous >= height) return;  // the segment starts above the column
  // Truncation is the floor here, previous being at least 0.
  const std::int64_t lowest_row = previous < 0.0 ? 0 : static_cast<std::int64_t>(previous);
  const std::int64_t end_row =
      position >= height ? static_cast<std::int64_t>(rows.size()) : ceiling(position);
  // Two rows per step, each lane doing the scalar arithmetic; a lone last row
  // takes lane 0 and lane 1 is dropped.
  const lane_pair start = {previous, previous};
  const lane_pair end = {position, position};
  const lane_pair length = end - start;
  for (std::int64_t r = lowest_row; r < end_row; r += 2) {
    const lane_pair bottom = {static_cast<double>(r), static_cast<double>(r + 1)};
    const lane_pair top = bottom + 1.0;
    const lane_pair a = greater(bottom, start);
    const lane_pair b = lesser(top, end);
    const lane_pair t = ((a + b) / 2 - start) / length;
    const lane_pair area = (b - a) * (t * value + (1 - t) * previous_value);
    rows[r] += area[0];
    if (r + 1 < end_row) rows[r + 1] += area[1];
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
