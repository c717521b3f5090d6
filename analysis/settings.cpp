#include "analysis/settings.h"

settings_record settings;

std::uint32_t shown_band_bins(const settings_record& values) {
  return values.fft_size / 2 / values.band_divisor;
}
