#include "platform/portable/surface.h"

#include <algorithm>

namespace portable {

void pixel_surface::resize(std::int32_t new_width, std::int32_t new_height) {
  if (new_width == width && new_height == height) return;
  std::vector<std::uint32_t> resized(static_cast<std::size_t>(new_width) * new_height, 0);
  const std::int32_t kept_width = std::min(width, new_width);
  const std::int32_t kept_height = std::min(height, new_height);
  for (std::int32_t y = 0; y < kept_height; ++y)
    std::copy_n(row(y), kept_width, resized.data() + static_cast<std::size_t>(y) * new_width);
  pixels = std::move(resized);
  width = new_width;
  height = new_height;
}

}  // namespace portable
