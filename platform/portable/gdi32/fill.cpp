// Filling a context's area with a colour, and reading a pixel back.
#include <algorithm>

#include "platform/portable/gdi32/drawing.h"
#include "platform/portable/gdi32/gdi.h"

namespace portable {

void fill(drawing_target& target, const region& area, COLORREF colour) {
  region filled = area;
  filled.intersect(target.allowed);
  const std::uint32_t pixel = pixel_of(colour);
  pixel_surface& surface = target.owner.pixels();
  for (const RECT& part : filled.rectangles())
    for (LONG y = part.top; y < part.bottom; ++y)
      std::fill(surface.row(y) + part.left, surface.row(y) + part.right, pixel);
  target.owner.mark_drawn(filled);
}

}  // namespace portable

using namespace portable;

COLORREF WINAPI GetPixel(HDC dc, int x, int y) {
  std::optional<drawing_target> target = drawing_target_of(dc);
  if (!target || !target->allowed.contains(x, y)) return CLR_INVALID;
  return colour_of(target->owner.pixels().row(y)[x]);
}
