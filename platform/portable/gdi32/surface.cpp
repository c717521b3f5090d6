#include "platform/portable/gdi32/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/portable/seam/host.h"

namespace portable {

void pixel_surface::release::operator()(std::uint32_t* p) const { std::free(p); }

std::unique_ptr<std::uint32_t[], pixel_surface::release> pixel_surface::black_store(std::size_t count) {
  void* p = current_host().picture_memory(count * sizeof(std::uint32_t));
  if (!p) throw std::bad_alloc();
  return std::unique_ptr<std::uint32_t[], release>(static_cast<std::uint32_t*>(p));
}

void pixel_surface::resize(std::int32_t new_width, std::int32_t new_height) {
  if (new_width == width_ && new_height == height_) return;
  pixel_surface resized;
  resized.width_ = new_width;
  resized.height_ = new_height;
  resized.origin = resized.slack();
  resized.store = black_store(static_cast<std::size_t>(resized.area() + 2 * resized.slack()));
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
  if (origin + shift < 0 || origin + shift > 2 * slack()) {
    // Out of room: the picture goes back to the middle of the store, in one
    // copy for every slack() pixels scrolled.
    std::memmove(store.get() + slack() - shift, data(),
                 static_cast<std::size_t>(area()) * sizeof(std::uint32_t));
    origin = slack();
  } else {
    origin += shift;
  }
  return true;
}

}  // namespace portable
