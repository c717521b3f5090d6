#include "analysis/polar.h"

#include "analysis/atan2_lanes.h"
#include "analysis/lane_pair.h"

namespace {

void pair_to_polar(spectrum_bin& first, spectrum_bin& second) {
  const lane_pair a = load_lanes(first);
  const lane_pair b = load_lanes(second);
  const lane_pair re = first_lanes(a, b);
  const lane_pair im = second_lanes(a, b);
  const lane_pair magnitude = square_root(re * re + im * im);
  const lane_pair phase = atan2_lanes(im, re);
  store_lanes(first, first_lanes(magnitude, phase));
  store_lanes(second, second_lanes(magnitude, phase));
}

}  // namespace

void to_polar(spectrum_bin* bins, std::size_t count) {
  // An odd last bin is paired with a spare, whose result is dropped.
  spectrum_bin spare = {0.0, 0.0};
  for (std::size_t i = 0; i < count; i += 2) pair_to_polar(bins[i], i + 1 < count ? bins[i + 1] : spare);
}
