// Turning the row magnitudes of one column into pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/settings.h"

// The 32-bit pixel for a level: bytes blue, green, red, 0xFF in memory, either
// through colour_table or as grey. The level is clamped to 0 ... 1 first;
// minus infinity (silence on the logarithmic scale) and NaN count as 0.
std::uint32_t pixel_of(double level, bool colour_map);

// Writes one pixel per row into image column `column`: row j at byte offset
// j * stride + 4 * column from pixels, row 0 being the lowest frequency.
void colour_column(const std::vector<double>& row_magnitudes, unsigned char* pixels, std::int32_t stride,
                   std::int32_t column, const settings_record& values = settings);
