// Filling and framing rectangles of a device context, and rectangle arithmetic.
#include <algorithm>

#include "platform/portable/gdi32/drawing.h"
#include "platform/portable/gdi32/gdi_objects.h"
#include "platform/portable/user32/paint.h"

using namespace portable;

namespace {

// Fills `area` with the brush; FALSE when the context or the brush is not one.
int paint_with(HDC dc, const region& area, HBRUSH brush_handle, bool system_colours) {
  std::optional<drawing_target> target = drawing_target_of(dc);
  const std::optional<brush> chosen = brush_of(brush_handle, system_colours);
  if (!target || !chosen) return FALSE;
  if (!chosen->hollow) fill(*target, area, chosen->colour);
  return TRUE;
}

}  // namespace

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return rect ? paint_with(dc, region(*rect), brush, true) : FALSE;
}

int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  if (!rect) return FALSE;
  region border(*rect);
  border.subtract(region(RECT{rect->left + 1, rect->top + 1, rect->right - 1, rect->bottom - 1}));
  return paint_with(dc, border, brush, false);
}

BOOL WINAPI IntersectRect(LPRECT out, const RECT* a, const RECT* b) {
  if (!out || !a || !b) return FALSE;
  const RECT overlap{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
                     std::min(a->bottom, b->bottom)};
  const bool overlaps = !is_empty(*a) && !is_empty(*b) && !is_empty(overlap);
  *out = overlaps ? overlap : RECT{0, 0, 0, 0};
  return overlaps;
}

BOOL WINAPI IsRectEmpty(const RECT* rect) { return !rect || is_empty(*rect); }
