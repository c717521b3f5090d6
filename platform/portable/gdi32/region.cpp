#include "platform/portable/gdi32/region.h"

#include <utility>

#include "platform/portable/gdi32/gdi.h"

namespace portable {

region::region() { pixman_region32_init(&pixels); }

region::region(const RECT& r) {
  if (is_empty(r))
    pixman_region32_init(&pixels);
  else
    pixman_region32_init_rect(&pixels, r.left, r.top, static_cast<unsigned>(r.right - r.left),
                              static_cast<unsigned>(r.bottom - r.top));
}

region::region(const region& other) {
  pixman_region32_init(&pixels);
  pixman_region32_copy(&pixels, &other.pixels);
}

// A pixman region is a plain structure whose rectangles live on the heap (or in
// pixman's static empty marker), so exchanging two is exchanging their fields.
region::region(region&& other) noexcept {
  pixman_region32_init(&pixels);
  std::swap(pixels, other.pixels);
}

region& region::operator=(region other) noexcept {
  std::swap(pixels, other.pixels);
  return *this;
}

region::~region() { pixman_region32_fini(&pixels); }

bool region::empty() const { return !pixman_region32_not_empty(&pixels); }

RECT region::bounds() const {
  if (empty()) return RECT{0, 0, 0, 0};
  const pixman_box32_t* box = pixman_region32_extents(&pixels);
  return RECT{box->x1, box->y1, box->x2, box->y2};
}

std::vector<RECT> region::rectangles() const {
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&pixels, &count);
  std::vector<RECT> result;
  result.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) result.push_back(RECT{boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  return result;
}

int region::type() const {
  const int count = pixman_region32_n_rects(&pixels);
  return count == 0 ? NULLREGION : count == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool region::contains(std::int32_t x, std::int32_t y) const {
  return pixman_region32_contains_point(&pixels, x, y, nullptr);
}

region& region::unite(const region& other) {
  pixman_region32_union(&pixels, &pixels, &other.pixels);
  return *this;
}

region& region::intersect(const region& other) {
  pixman_region32_intersect(&pixels, &pixels, &other.pixels);
  return *this;
}

region& region::subtract(const region& other) {
  pixman_region32_subtract(&pixels, &pixels, &other.pixels);
  return *this;
}

region& region::exclusive_or(const region& other) {
  region both(*this);
  both.intersect(other);
  unite(other);
  return subtract(both);
}

region& region::translate(std::int32_t dx, std::int32_t dy) {
  pixman_region32_translate(&pixels, dx, dy);
  return *this;
}

}  // namespace portable
