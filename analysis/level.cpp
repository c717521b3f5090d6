#include "analysis/level.h"

#include <cmath>

namespace {
constexpr double e = 2.718281828459045;
}

// On the logarithmic scale the magnitudes min ... max are first mapped linearly
// onto floor ... 1, whose logarithm then spans ln(floor) ... 0.
level_scale::level_scale(const settings_record& values)
    : logarithmic_(values.log_amplitude),
      lowest_(values.min_magnitude),
      range_(values.max_magnitude - values.min_magnitude) {
  const double floor = 1.0 / (values.log_amplitude_factor * e);
  slope_ = (1.0 - floor) / range_;
  offset_ = 1.0 - values.max_magnitude * slope_;
  log_floor_ = std::log(floor);
}

double level_of(double magnitude, const settings_record& values) { return level_scale(values)(magnitude); }
