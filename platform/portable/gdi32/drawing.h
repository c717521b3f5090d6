// What GDI's drawing calls share: the surface and context a device context
// draws through, and the conversion between COLORREF and the surface's pixels.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/portable/gdi32/dc_table.h"
#include "platform/portable/gdi32/region.h"

namespace portable {

struct drawing_target {
  drawing_surface& owner;
  dc_state& context;
  region allowed;  // where the context may draw, in client coordinates
};

// Empty when `dc` is not a context of an existing window.
std::optional<drawing_target> drawing_target_of(HDC dc);

// COLORREF is 0x00BBGGRR; a surface pixel 0x00RRGGBB.
inline std::uint32_t pixel_of(COLORREF colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}
inline COLORREF colour_of(std::uint32_t pixel) { return pixel_of(pixel & 0x00FFFFFF); }

// Fills the part of `area` the target may draw on and marks it drawn.
void fill(drawing_target& target, const region& area, COLORREF colour);

}  // namespace portable
