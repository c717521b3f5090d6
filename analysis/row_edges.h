// The logarithmic frequency axis: where each spectrum bin sits among the rows.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/settings.h"

// band_bins + 1 row positions for an image of height rows, in row units from the
// bottom: min_frequency lies at 0 and the top of the shown band at height. Bin 0
// (0 Hz) is minus infinity and bins below min_frequency are negative. The last
// entry, one past the band, is the largest finite double.
std::vector<double> log_row_edges(std::int32_t height, const settings_record& values = settings);
