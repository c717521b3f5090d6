// The last step of the transform: bins from Cartesian to polar form.
#pragma once

#include <cstddef>

#include "analysis/fft.h"

// Converts count bins in place: each arrives holding (re, im) in its
// (magnitude, phase) fields and leaves with magnitude sqrt(re^2 + im^2) and
// phase atan2(im, re), the latter from atan2_lanes (within 2 ulp of the
// library's). Two bins per step.
void to_polar(spectrum_bin* bins, std::size_t count);
