// The colour ramp that levels are shown through: black for the lowest sixth,
// then black to blue, blue to cyan, cyan to green, green to yellow, yellow to red.
#pragma once

#include <array>

struct colour {
  double blue;  // each 0 ... 1
  double green;
  double red;
};

// Entry k shows the level k / 1023. Built during static initialisation.
extern const std::array<colour, 1024> colour_table;
