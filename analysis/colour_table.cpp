#include "analysis/colour_table.h"

#include <cmath>

namespace {

std::array<colour, 1024> build_colour_table() {
  std::array<colour, 1024> table{};
  for (std::size_t k = 0; k < table.size(); ++k) {
    // Six equal sectors; f runs from 0 to nearly 1 within each.
    const double h = static_cast<double>(k) * 6.0 * 0.0009765625;
    const int sector = static_cast<int>(h);
    const double f = std::fmod(h, 1.0);
    switch (sector) {
      case 0:
        table[k] = {0.0, 0.0, 0.0};
        break;
      case 1:
        table[k] = {f, 0.0, 0.0};
        break;
      case 2:
        table[k] = {1.0, f, 0.0};
        break;
      case 3:
        table[k] = {1.0 - f, 1.0, 0.0};
        break;
      case 4:
        table[k] = {0.0, 1.0, f};
        break;
      default:
        table[k] = {0.0, 1.0 - f, 1.0};
        break;
    }
  }
  return table;
}

}  // namespace

const std::array<colour, 1024> colour_table = build_colour_table();
