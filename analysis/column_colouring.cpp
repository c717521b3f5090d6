#include "analysis/column_colouring.h"

#include <array>
#include <cstring>
#include <memory>

#include "analysis/colour_table.h"
#include "analysis/level.h"
#include "analysis/level_steps.h"

namespace {

// Laid out byte by byte, so that memory holds blue, green, red, 0xFF on any
// byte order.
std::uint32_t pixel_from_bytes(unsigned char blue, unsigned char green, unsigned char red) {
  const unsigned char bytes[4] = {blue, green, red, 0xFF};
  std::uint32_t pixel;
  std::memcpy(&pixel, bytes, sizeof pixel);
  return pixel;
}

unsigned char to_byte(double fraction) { return static_cast<unsigned char>(fraction * 255.0); }

// The pixel of every step: colour_table's 1024 entries, or 256 greys. Worked
// out on first use (by then the colour table, built during static
// initialisation, is complete).
struct pixel_steps {
  const std::uint32_t* pixels;
  std::int32_t steps;  // the last index
};

pixel_steps pixels_for(bool colour_map) {
  static const std::array<std::uint32_t, 1024> colours = [] {
    std::array<std::uint32_t, 1024> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
      const colour& c = colour_table[i];
      table[i] = pixel_from_bytes(to_byte(c.blue), to_byte(c.green), to_byte(c.red));
    }
    return table;
  }();
  static const std::array<std::uint32_t, 256> greys = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
      const auto grey = static_cast<unsigned char>(i);
      table[i] = pixel_from_bytes(grey, grey, grey);
    }
    return table;
  }();
  if (colour_map) return {colours.data(), 1023};
  return {greys.data(), 255};
}

// The steps for the settings of the latest column. Finding them costs about a
// millisecond, so they are kept until the settings change (the 'a' key flips
// the level mapping). The program is single-threaded.
const level_steps& steps_for(const settings_record& values, std::int32_t steps) {
  static std::unique_ptr<level_steps> latest;
  if (!latest || !latest->built_for(values, steps)) latest.reset(new level_steps(values, steps));
  return *latest;
}

}  // namespace

std::uint32_t pixel_of(double level, bool colour_map) {
  const pixel_steps table = pixels_for(colour_map);
  return table.pixels[level_step(level, table.steps)];
}

void colour_column(const std::vector<double>& row_magnitudes, unsigned char* pixels, std::int32_t stride,
                   std::int32_t column, const settings_record& values) {
  const pixel_steps table = pixels_for(values.colour_map);
  const level_steps& step_of = steps_for(values, table.steps);
  unsigned char* at = pixels + 4 * static_cast<std::ptrdiff_t>(column);
  for (const double magnitude : row_magnitudes) {
    std::memcpy(at, &table.pixels[step_of(magnitude)], sizeof(std::uint32_t));
    at += stride;
  }
}
