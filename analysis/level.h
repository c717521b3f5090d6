// The mapping from a row magnitude to a display level, 0 ... 1 after clamping.
#pragma once

#include <cmath>
#include <cstdint>

#include "analysis/settings.h"

// The constants of the mapping for one set of settings, worked out once so that
// a column of rows costs one logarithm per row.
class level_scale {
 public:
  explicit level_scale(const settings_record& values);

  // The unclamped level: min_magnitude gives 0 and max_magnitude gives 1. On the
  // logarithmic scale magnitudes far enough below min_magnitude give minus
  // infinity; the caller clamps.
  double operator()(double magnitude) const {
    if (!logarithmic_) return (magnitude - lowest_) / range_;
    double v = offset_ + magnitude * slope_;
    v = v > 0.0 ? v : 0.0;  // a max instruction, where a branch could be mispredicted
    return 1.0 - std::log(v) / log_floor_;
  }

 private:
  bool logarithmic_;
  double lowest_;     // min_magnitude
  double range_;      // max_magnitude - min_magnitude
  double slope_;      // (1 - floor) / range
  double offset_;     // 1 - max_magnitude * slope
  double log_floor_;  // ln(floor), where floor = 1 / (log_amplitude_factor * e)
};

// The level of one magnitude under the given settings.
double level_of(double magnitude, const settings_record& values = settings);

// The level clamped to 0 ... 1 and scaled to whole steps 0 ... steps,
// truncating; minus infinity and NaN count as 0. Both comparisons compile to
// single max and min instructions; a branch here would be mispredicted
// wherever the spectrum crosses the ends of the level range.
inline std::int32_t level_step(double level, std::int32_t steps) {
  level = level > 0.0 ? level : 0.0;  // NaN fails the test and becomes 0
  level = level < 1.0 ? level : 1.0;
  return static_cast<std::int32_t>(level * steps);
}
