#include "platform/portable/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace portable {

void pixel_surface::resize(std::int32_t new_width, std::int32_t new_height) {
  if (new_width == width_ && new_height == height_) return;
  pixel_surface resized;
  resized.width_ = new_width;
  resized.height_ = new_height;
  resized.origin = resized.slack();
  resized.store.assign(static_cast<std::size_t>(resized.area() + 2 * resized.slack()), 0);
  const std::int32_t kept_width = std::min(width_, new_width);
  const std::int32_t kept_height = std::min(height_, new_height);
  for (std::int32_t y = 0; y < kept_height; ++y) std::copy_n(row(y), kept_width, resized.row(y));
  *this = std::move(resized);
}

bool pixel_surface::scroll(std::int32_t dx, std::int32_t dy) {
  // Pixel (x, y) will come from store[origin + (y - dy) * width + x - dx].
  const std::ptrdiff_t shift = -(static_cast<std::ptrdiff_t>(dy) * width_ + dx);
  if ((dx != 0 && dy != 0) || std::abs(dx) >= width_ || std::abs(dy) >= height_ || std::abs(shift) > slack())
    return false;
  if (shift == 0) return true;
  // The strip that nothing moves into, whose pixels stay as they were.
  const std::int32_t strip_left = dx > 0 ? 0 : dx < 0 ? width_ + dx : 0;
  const std::int32_t strip_width = dx != 0 ? std::abs(dx) : width_;
  const std::int32_t strip_top = dy > 0 ? 0 : dy < 0 ? height_ + dy : 0;
  const std::int32_t strip_height = dy != 0 ? std::abs(dy) : height_;
  std::vector<std::uint32_t> strip(static_cast<std::size_t>(strip_width) * strip_height);
  for (std::int32_t y = 0; y < strip_height; ++y)
    std::copy_n(row(strip_top + y) + strip_left, strip_width, strip.data() + static_cast<std::size_t>(y) * strip_width);

  if (origin + shift < 0 || origin + shift > 2 * slack()) {
    // Out of room: the picture goes back to the middle of the store, in one
    // copy for every slack() pixels scrolled.
    std::memmove(store.data() + slack() - shift, data(), static_cast<std::size_t>(area()) * sizeof(std::uint32_t));
    origin = slack();
  } else {
    origin += shift;
  }

  for (std::int32_t y = 0; y < strip_height; ++y)
    std::copy_n(strip.data() + static_cast<std::size_t>(y) * strip_width, strip_width, row(strip_top + y) + strip_left);
  return true;
}

}  // namespace portable
