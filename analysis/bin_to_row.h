// Resampling of the shown band of spectrum bins onto the rows of one column.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/fft.h"
#include "analysis/settings.h"

// Overwrites row_magnitudes (one entry per image row, bottom row first) with the
// magnitudes of spectrum bins 0 ... band_bins - 1. On the logarithmic axis bin i
// sits at row position row_edges[i] and bin 0 is left out; on the linear axis it
// sits at height * i / band_bins. Row r covers positions r ... r + 1.
//
// With spread_bins, the magnitude is taken to vary linearly between neighbouring
// bins and each row receives the integral of that line over its part of the
// segment, so the column keeps the area under the spectrum whatever the height.
// Without, each bin is added whole to the row it falls in. Whatever lies at or
// above the top of the column is outside the image and dropped.
void map_bins_to_rows(const std::vector<spectrum_bin>& spectrum, std::uint32_t band_bins,
                      const std::vector<double>& row_edges, std::vector<double>& row_magnitudes,
                      const settings_record& values = settings);
