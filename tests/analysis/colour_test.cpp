#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "analysis/colour_table.h"
#include "analysis/column_colouring.h"
#include "analysis/level.h"

namespace {

using bytes = std::array<unsigned char, 4>;

bytes bytes_of(std::uint32_t pixel) {
  bytes b;
  std::memcpy(b.data(), &pixel, 4);
  return b;
}

TEST(ColourTable, SectorBoundaries) {
  struct entry {
    std::size_t k;
    double blue, green, red;
  };
  // Within a sector f = 6k/1024 minus the sector number.
  const entry entries[] = {
      {0, 0, 0, 0},
      {170, 0, 0, 0},  // black
      {171, 1.0 / 512, 0, 0},
      {341, 511.0 / 512, 0, 0},  // to blue
      {342, 1, 2.0 / 512, 0},
      {511, 1, 509.0 / 512, 0},  // to cyan
      {512, 1, 1, 0},
      {682, 2.0 / 512, 1, 0},  // to green
      {683, 0, 1, 1.0 / 512},
      {853, 0, 1, 511.0 / 512},  // to yellow
      {854, 0, 510.0 / 512, 1},
      {1023, 0, 3.0 / 512, 1},  // to red
  };
  for (const entry& e : entries) {
    SCOPED_TRACE(e.k);
    EXPECT_DOUBLE_EQ(colour_table[e.k].blue, e.blue);
    EXPECT_DOUBLE_EQ(colour_table[e.k].green, e.green);
    EXPECT_DOUBLE_EQ(colour_table[e.k].red, e.red);
  }
}

TEST(ColourColumn, PixelOfLevel) {
  const double inf = std::numeric_limits<double>::infinity();
  struct sample {
    double level;
    bool colour_map;
    bytes expected;
  };
  const sample samples[] = {
      {1.0, true, {0, 1, 255, 0xFF}},  // pure red with a trace of green
      {1.0, false, {255, 255, 255, 0xFF}},
      {7.5, true, {0, 1, 255, 0xFF}},  // clamped to 1
      {0.0, true, {0, 0, 0, 0xFF}},
      {0.0, false, {0, 0, 0, 0xFF}},
      {std::nextafter(171.0 / 1023, 0.0), true, {0, 0, 0, 0xFF}},  // lowest sixth is black
      {-inf, true, {0, 0, 0, 0xFF}},                               // silence on the logarithmic scale
      {-inf, false, {0, 0, 0, 0xFF}},
      {std::nan(""), true, {0, 0, 0, 0xFF}},
      {0.5, false, {127, 127, 127, 0xFF}},
      {512.5 / 1023, true, {255, 255, 0, 0xFF}},  // cyan
  };
  for (const sample& s : samples) {
    SCOPED_TRACE(testing::Message() << s.level << (s.colour_map ? " colour" : " grey"));
    EXPECT_EQ(bytes_of(pixel_of(s.level, s.colour_map)), s.expected);
  }
}

TEST(Level, BoundsMapToZeroAndOne) {
  settings_record values;
  const double lo = values.min_magnitude;
  const double hi = values.max_magnitude;
  for (const bool logarithmic : {true, false}) {
    SCOPED_TRACE(logarithmic ? "logarithmic" : "linear");
    values.log_amplitude = logarithmic;
    EXPECT_NEAR(level_of(lo, values), 0.0, 1e-12);
    EXPECT_NEAR(level_of(hi, values), 1.0, 1e-12);
  }
  // The logarithmic scale maps lo ... hi onto c ... 1 with c = 1 / (21 e) and
  // takes the logarithm, so the middle magnitude lands at 1 - ln((1 + c) / 2) / ln c.
  values.log_amplitude = true;
  const double c = 1.0 / (21.0 * std::exp(1.0));
  EXPECT_NEAR(level_of((lo + hi) / 2, values), 1.0 - std::log((1 + c) / 2) / std::log(c), 1e-12);
  values.log_amplitude = false;
  EXPECT_NEAR(level_of((lo + hi) / 2, values), 0.5, 1e-12);
}

TEST(Level, FarBelowTheFloorIsMinusInfinityAndShowsBlack) {
  settings_record values;
  values.log_amplitude = true;
  const double level = level_of(-1.0, values);
  EXPECT_EQ(level, -std::numeric_limits<double>::infinity());
  EXPECT_EQ(bytes_of(pixel_of(level, true)), (bytes{0, 0, 0, 0xFF}));
}

TEST(ColourColumn, WritesOneColumnBottomRowFirst) {
  settings_record values;                      // logarithmic levels, colour map
  const std::int32_t stride = 16, height = 4;  // three pixels and some padding per row
  std::vector<unsigned char> pixels(stride * height, 0xAB);
  const std::vector<double> rows = {0.0, 2 * values.max_magnitude, 1.0, values.min_magnitude};
  colour_column(rows, pixels.data(), stride, 1, values);

  const bytes expected[height] = {{0, 0, 0, 0xFF}, {0, 1, 255, 0xFF}, {0, 1, 255, 0xFF}, {0, 0, 0, 0xFF}};
  for (std::int32_t j = 0; j < height; ++j) {
    for (std::int32_t byte = 0; byte < stride; ++byte) {
      const unsigned char got = pixels[j * stride + byte];
      if (byte / 4 == 1)
        EXPECT_EQ(got, expected[j][byte % 4]) << "row " << j << " byte " << byte;
      else
        EXPECT_EQ(got, 0xAB) << "row " << j << " byte " << byte << " was written";
    }
  }
}

}  // namespace
