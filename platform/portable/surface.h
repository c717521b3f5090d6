// The pixels of a window's client area: 32-bit words 0x00RRGGBB (bytes blue,
// green, red and one the display ignores), rows top to bottom, no padding.
#pragma once

#include <cstdint>
#include <vector>

namespace portable {

struct pixel_surface {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint32_t> pixels;

  // Keeps the pixels the old and new sizes share; new pixels are black.
  void resize(std::int32_t new_width, std::int32_t new_height);
  std::uint32_t* row(std::int32_t y) { return pixels.data() + static_cast<std::size_t>(y) * width; }
};

}  // namespace portable
