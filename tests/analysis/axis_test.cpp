#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "analysis/bin_to_row.h"
#include "analysis/row_edges.h"

namespace {

TEST(RowEdges, LogarithmicAxisFromSixtyHertz) {
  const settings_record values;  // 1024 points at 8000 Hz, 256 bins, 60 ... 2000 Hz
  for (const std::int32_t height : {1, 400, 1080}) {
    SCOPED_TRACE(height);
    const std::vector<double> edges = log_row_edges(height, values);
    ASSERT_EQ(edges.size(), 257u);
    EXPECT_EQ(edges[0], -std::numeric_limits<double>::infinity());
    for (std::size_t i = 1; i <= 7; ++i) EXPECT_LT(edges[i], 0.0) << "bin " << i;
    // Bin 8 is 62.5 Hz, the first at or above 60 Hz.
    EXPECT_NEAR(edges[8] / height, 0.0116416, 1e-7);
    for (std::size_t i = 9; i < 256; ++i) EXPECT_GT(edges[i], edges[i - 1]) << "bin " << i;
    EXPECT_LT(edges[255], height);  // 1992 Hz, just below the top row's upper edge
    EXPECT_EQ(edges[256], std::numeric_limits<double>::max());
  }
}

std::vector<spectrum_bin> flat_spectrum(double magnitude) {
  return std::vector<spectrum_bin>(513, spectrum_bin{magnitude, 0.0});
}

TEST(BinToRow, LinearAxisLeavesTheTopRowEmpty) {
  settings_record values;
  values.log_frequency = false;
  const std::int32_t height = 300;  // bin i at 300 i / 256, the last at 298.828125
  std::vector<double> rows(height);

  std::vector<spectrum_bin> last_only = flat_spectrum(0.0);
  last_only[255].magnitude = 1.0;
  values.spread_bins = false;
  map_bins_to_rows(last_only, 256, {}, rows, values);
  EXPECT_EQ(rows[298], 1.0);
  EXPECT_EQ(rows[299], 0.0);

  // Spread, the last segment rises from 0 at 297.65625 to 1 at 298.828125.
  values.spread_bins = true;
  map_bins_to_rows(last_only, 256, {}, rows, values);
  const double start = 297.65625, end = 298.828125;
  const auto ramp_area = [&](double x) { return (x - start) * (x - start) / (2 * (end - start)); };
  EXPECT_NEAR(rows[297], ramp_area(298.0), 1e-12);
  EXPECT_NEAR(rows[298], ramp_area(end) - ramp_area(298.0), 1e-12);
  EXPECT_EQ(rows[299], 0.0);

  map_bins_to_rows(flat_spectrum(1.0), 256, {}, rows, values);
  EXPECT_EQ(rows[299], 0.0);
}

TEST(BinToRow, LogarithmicAxisIgnoresZeroHertz) {
  settings_record values;
  std::vector<spectrum_bin> dc_only = flat_spectrum(0.0);
  dc_only[0].magnitude = 5.0;
  std::vector<double> rows(400, -1.0);
  for (const bool spread : {true, false}) {
    values.spread_bins = spread;
    map_bins_to_rows(dc_only, 256, log_row_edges(400, values), rows, values);
    for (std::size_t r = 0; r < rows.size(); ++r) ASSERT_EQ(rows[r], 0.0) << "row " << r;
  }
}

TEST(BinToRow, ZeroHeightColumnReceivesNothing) {
  // Every bin of a zero-height column lies at or above its top; none may be
  // written (the sanitizer build catches a write past the empty vector).
  for (const bool logarithmic : {true, false}) {
    for (const bool spread : {true, false}) {
      settings_record values;
      values.log_frequency = logarithmic;
      values.spread_bins = spread;
      std::vector<double> rows;
      map_bins_to_rows(flat_spectrum(1.0), 256, log_row_edges(0, values), rows, values);
      EXPECT_TRUE(rows.empty());
    }
  }
}

// The reference for what a column receives: the area under the polyline through
// the bins' (position, magnitude) points between the bottom of the column and
// the last bin, by whole trapezoids; or, without spreading, the sum of the bins
// that fall inside the column.
double expected_total(const std::vector<double>& positions, const std::vector<double>& magnitudes,
                      double height, bool spread) {
  double total = 0.0;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    if (!spread) {
      if (positions[i] >= 0.0 && positions[i] < height) total += magnitudes[i];
      continue;
    }
    if (i == 0 || positions[i] <= 0.0) continue;
    double x0 = positions[i - 1], v0 = magnitudes[i - 1];
    const double x1 = positions[i], v1 = magnitudes[i];
    if (x0 < 0.0) {  // only the part above the bottom row counts
      v0 += (v1 - v0) * (0.0 - x0) / (x1 - x0);
      x0 = 0.0;
    }
    total += (x1 - x0) * (v0 + v1) / 2;
  }
  return total;
}

TEST(BinToRow, ColumnReceivesTheWholeSpectrumAtEveryHeight) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> magnitude(0.0, 1.0);
  for (const bool logarithmic : {true, false}) {
    for (const bool spread : {true, false}) {
      SCOPED_TRACE(testing::Message() << (logarithmic ? "log" : "linear") << (spread ? " spread" : " whole"));
      settings_record values;
      values.log_frequency = logarithmic;
      values.spread_bins = spread;
      for (std::int32_t height = 1; height <= 2000; ++height) {
        std::vector<spectrum_bin> spectrum(513);
        for (spectrum_bin& bin : spectrum) bin = {magnitude(random), 0.0};
        const std::vector<double> edges = logarithmic ? log_row_edges(height, values) : std::vector<double>{};

        std::vector<double> positions, magnitudes;
        for (std::size_t i = logarithmic ? 1 : 0; i < 256; ++i) {
          positions.push_back(logarithmic ? edges[i] : height * static_cast<double>(i) / 256);
          magnitudes.push_back(spectrum[i].magnitude);
        }

        std::vector<double> rows(height);
        map_bins_to_rows(spectrum, 256, edges, rows, values);
        double total = 0.0;
        for (const double row : rows) total += row;
        const double expected = expected_total(positions, magnitudes, height, spread);
        ASSERT_NEAR(total, expected, 1e-12 * expected) << "height " << height;
      }
    }
  }
}

}  // namespace
