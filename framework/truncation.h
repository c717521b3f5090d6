// Conversion of a double to int32 toward zero, defined for every double: a
// plain cast is undefined beyond the int32 range and for NaN, which infinite
// scales (a client area of 0) and far-off desktop coordinates produce.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// Drops the fraction toward zero; values beyond the int32 range become its
// nearest end, NaN becomes 0.
inline std::int32_t truncated(double value) {
  if (std::isnan(value)) return 0;
  if (value <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (value >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}
