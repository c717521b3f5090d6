#include "analysis/column_colouring.h"

#include <array>
#include <cstring>

#include "analysis/colour_table.h"
#include "analysis/level.h"

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

// colour_table as ready pixels, worked out on first use (by then the colour
// table, built during static initialisation, is complete).
const std::array<std::uint32_t, 1024>& colour_pixels() {
  static const std::array<std::uint32_t, 1024> pixels = [] {
    std::array<std::uint32_t, 1024> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
      const colour& c = colour_table[i];
      table[i] = pixel_from_bytes(to_byte(c.blue), to_byte(c.green), to_byte(c.red));
    }
    return table;
  }();
  return pixels;
}

std::uint32_t pixel_in(const std::array<std::uint32_t, 1024>& colours, double level, bool colour_map) {
  // Written so that NaN fails the first test and becomes 0: it would otherwise
  // turn into an arbitrary table index. Both compile to single max and min
  // instructions; a branch here would be mispredicted wherever the spectrum
  // crosses the ends of the level range.
  level = level > 0.0 ? level : 0.0;
  level = level < 1.0 ? level : 1.0;
  if (colour_map) return colours[static_cast<std::int32_t>(level * 1023.0)];
  const unsigned char grey = to_byte(level);
  return pixel_from_bytes(grey, grey, grey);
}

}  // namespace

std::uint32_t pixel_of(double level, bool colour_map) {
  return pixel_in(colour_pixels(), level, colour_map);
}

void colour_column(const std::vector<double>& row_magnitudes, unsigned char* pixels,
                   std::int32_t stride, std::int32_t column, const settings_record& values) {
  const level_scale level(values);
  const std::array<std::uint32_t, 1024>& colours = colour_pixels();
  unsigned char* at = pixels + 4 * static_cast<std::ptrdiff_t>(column);
  const bool colour_map = values.colour_map;  // read once: the pixel stores could alias it
  for (const double magnitude : row_magnitudes) {
    const std::uint32_t pixel = pixel_in(colours, level(magnitude), colour_map);
    std::memcpy(at, &pixel, sizeof pixel);
    at += stride;
  }
}
