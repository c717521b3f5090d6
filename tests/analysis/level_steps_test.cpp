#include "analysis/level_steps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

// The magnitude that the mapping takes to the given level, by the inverse
// formula: an estimate of where a step starts, found independently of the
// bisection that level_steps uses.
double magnitude_at(double level, const settings_record& values) {
  const double lo = values.min_magnitude, hi = values.max_magnitude;
  if (!values.log_amplitude) return lo + level * (hi - lo);
  const double c = 1.0 / (values.log_amplitude_factor * 2.718281828459045);
  const double v = std::pow(c, 1.0 - level);  // level = 1 - ln v / ln c
  return hi - (1.0 - v) * (hi - lo) / (1.0 - c);
}

// Magnitudes that probe every step's start from both sides, spread
// magnitudes over many decades, and the special values.
std::vector<double> probes(const settings_record& values, std::int32_t steps) {
  std::vector<double> m = {0.0,
                           -0.0,
                           -1.0,
                           values.min_magnitude,
                           values.max_magnitude,
                           std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::max(),
                           std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN()};
  for (std::int32_t i = 0; i <= steps; ++i) {
    double near = magnitude_at(static_cast<double>(i) / steps, values);
    for (int k = 0; k < 8; ++k) near = std::nextafter(near, 0.0);
    for (int k = 0; k < 16; ++k) {
      m.push_back(near);
      near = std::nextafter(near, 1.0);
    }
  }
  std::mt19937 random(3);
  std::uniform_real_distribution<double> decade(-12.0, 1.0);
  for (int k = 0; k < 20000; ++k) m.push_back(std::pow(10.0, decade(random)));
  return m;
}

TEST(LevelSteps, AgreeWithTheExactMappingAtEveryStep) {
  struct mapping {
    bool logarithmic;
    double min_magnitude, max_magnitude, factor;
    const char* what;
  };
  const mapping mappings[] = {
      {true, 1e-5, 0.03, 21.0, "built-in, logarithmic"},
      {false, 1e-5, 0.03, 21.0, "built-in, linear"},
      {true, 0.0299, 0.03, 21.0, "narrow range: many steps to a bucket"},
      {false, 0.0299, 0.03, 21.0, "narrow linear range"},
      {true, 1e-5, 0.03, 1e250, "vast logarithmic range: coarser buckets"},
      {true, 0.0, 1.0, 0.5, "gentle logarithm from 0"},
  };
  for (const mapping& g : mappings) {
    for (const std::int32_t steps : {1023, 255}) {
      SCOPED_TRACE(testing::Message() << g.what << ", " << steps << " steps");
      settings_record values;
      values.log_amplitude = g.logarithmic;
      values.min_magnitude = g.min_magnitude;
      values.max_magnitude = g.max_magnitude;
      values.log_amplitude_factor = g.factor;
      const level_steps step_of(values, steps);
      EXPECT_TRUE(step_of.built_for(values, steps));
      std::size_t differences = 0;
      for (const double m : probes(values, steps)) {
        const std::int32_t expected = level_step(level_of(m, values), steps);
        if (step_of(m) != expected && ++differences <= 5)
          ADD_FAILURE() << "magnitude " << m << ": step " << step_of(m) << ", exact " << expected;
      }
      EXPECT_EQ(differences, 0u);
    }
  }
}

TEST(LevelSteps, BuiltOnlyForTheSameMapping) {
  const settings_record values;
  const level_steps step_of(values, 1023);
  EXPECT_FALSE(step_of.built_for(values, 255));
  settings_record other = values;
  other.log_amplitude = !values.log_amplitude;
  EXPECT_FALSE(step_of.built_for(other, 1023));
  other = values;
  other.max_magnitude = 0.05;
  EXPECT_FALSE(step_of.built_for(other, 1023));
  other = values;
  other.min_magnitude = 1e-6;
  EXPECT_FALSE(step_of.built_for(other, 1023));
  other = values;
  other.log_amplitude_factor = 20.0;
  EXPECT_FALSE(step_of.built_for(other, 1023));
  other = values;
  other.paused = true;  // not part of the mapping
  EXPECT_TRUE(step_of.built_for(other, 1023));
}

}  // namespace
