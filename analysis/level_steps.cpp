#include "analysis/level_steps.h"

#include <limits>

namespace {

double from_key(std::uint64_t key) {
  double value;
  std::memcpy(&value, &key, sizeof value);
  return value;
}

// At least 2^9 buckets to a binade, so that with the built-in logarithmic
// mapping no bucket holds more than one step's start (on the linear one a few
// hold two); at most this many in all, so that odd settings cannot make the
// table huge (their rows take the loop instead).
constexpr int finest_shift = 52 - 9;
constexpr std::uint64_t most_buckets = 1 << 14;

}  // namespace

level_steps::level_steps(const settings_record& values, std::int32_t steps)
    : values_(values), level_(values), steps_(steps), starts_(steps + 2) {
  const double infinity = std::numeric_limits<double>::infinity();
  starts_[0] = -infinity;
  starts_[steps + 1] = std::numeric_limits<double>::quiet_NaN();
  // Step i starts at the smallest non-negative magnitude whose step is at
  // least i; as the bit patterns are ordered, bisect over them. Infinity is at
  // the top step, and each start is at or above the one before.
  std::uint64_t below = 0;  // a pattern known to be under the start, or 0
  for (std::int32_t i = 1; i <= steps; ++i) {
    std::uint64_t low = below;
    std::uint64_t high = key_of(infinity);
    if (exact(from_key(low)) >= i) high = low;
    while (high - low > 1) {
      const std::uint64_t middle = low + (high - low) / 2;
      if (exact(from_key(middle)) >= i)
        high = middle;
      else
        low = middle;
    }
    starts_[i] = from_key(high);
    below = low;
  }

  first_key_ = key_of(starts_[1]);
  const std::uint64_t span = key_of(starts_[steps]) - first_key_;
  shift_ = finest_shift;
  while ((span >> shift_) >= most_buckets) ++shift_;
  last_bucket_ = span >> shift_;
  bucket_steps_.resize(last_bucket_ + 1);
  std::int32_t step = 0;
  for (std::uint64_t bucket = 0; bucket <= last_bucket_; ++bucket) {
    const double bottom = from_key(first_key_ + (bucket << shift_));
    while (bottom >= starts_[step + 1]) ++step;
    bucket_steps_[bucket] = static_cast<std::uint16_t>(step);
  }
}

bool level_steps::built_for(const settings_record& values, std::int32_t steps) const {
  return steps == steps_ && values.log_amplitude == values_.log_amplitude &&
         values.min_magnitude == values_.min_magnitude && values.max_magnitude == values_.max_magnitude &&
         values.log_amplitude_factor == values_.log_amplitude_factor;
}
