// The step (of a colour ramp or a grey scale) that a row magnitude is shown
// with, answered without a logarithm per row.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "analysis/level.h"
#include "analysis/settings.h"

// level_step(level_of(magnitude), steps) for one set of settings. The step
// never falls as the magnitude grows, so it is fixed by the magnitudes at
// which each step begins. These are found once, by bisection over the exact
// mapping; a row then costs a table look-up and a comparison or two. Answers
// are those of the exact mapping wherever that is monotonic, which it is up to
// the rounding of the logarithm: at worst a magnitude within an ulp or so of
// a step's start could land one step off.
class level_steps {
 public:
  level_steps(const settings_record& values, std::int32_t steps);

  // Whether these are the steps for the given settings.
  bool built_for(const settings_record& values, std::int32_t steps) const;

  std::int32_t operator()(double magnitude) const {
    // Row magnitudes are sums of non-negative terms; anything else (and NaN)
    // takes the exact mapping.
    if (!(magnitude >= 0.0)) return exact(magnitude);
    // The bit patterns of non-negative doubles are in the order of their
    // values. Below the first step's start the difference wraps round to a
    // huge number and lands in the last bucket; the final test answers 0.
    const std::uint64_t bucket = std::min((key_of(magnitude) - first_key_) >> shift_, last_bucket_);
    std::int32_t step = bucket_steps_[bucket];
    step += magnitude >= starts_[step + 1];
    while (magnitude >= starts_[step + 1]) ++step;  // a bucket spanning more steps
    return magnitude >= starts_[1] ? step : 0;
  }

  std::int32_t exact(double magnitude) const { return level_step(level_(magnitude), steps_); }

 private:
  // The bit pattern of a double.
  static std::uint64_t key_of(double value) {
    std::uint64_t key;
    std::memcpy(&key, &value, sizeof key);
    return key;
  }

  settings_record values_;
  level_scale level_;
  std::int32_t steps_;
  // starts_[i], i = 1 ... steps: the smallest magnitude at step i or above.
  // starts_[steps + 1] is NaN, which no magnitude (not even infinity) is
  // greater than or equal to, so that no step goes past the last.
  std::vector<double> starts_;
  // Buckets of equal width in bit pattern from starts_[1], 2^shift_ patterns
  // each (at least 512 to a binade): the step at the bottom of each.
  std::uint64_t first_key_;
  int shift_;
  std::uint64_t last_bucket_;
  std::vector<std::uint16_t> bucket_steps_;
};
