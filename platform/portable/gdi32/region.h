// A set of pixels as a pixman region, the form the subset keeps update regions,
// clip regions and GDI region objects in. Pixman keeps rectangles in y-x bands,
// top to bottom and left to right, which is the order Windows reports them in.
#pragma once

#include <pixman.h>

#include <vector>

#include "platform/portable/kernel32/types.h"

namespace portable {

class region {
 public:
  region();
  // Empty when the rectangle is.
  explicit region(const RECT& r);
  region(const region& other);
  region(region&& other) noexcept;
  region& operator=(region other) noexcept;
  ~region();

  bool empty() const;
  // The bounding box; 0, 0, 0, 0 when empty.
  RECT bounds() const;
  std::vector<RECT> rectangles() const;
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int type() const;
  bool contains(std::int32_t x, std::int32_t y) const;

  region& unite(const region& other);
  region& intersect(const region& other);
  region& subtract(const region& other);
  region& exclusive_or(const region& other);
  region& translate(std::int32_t dx, std::int32_t dy);

 private:
  pixman_region32_t pixels;
};

inline bool is_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline bool same_rect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace portable
