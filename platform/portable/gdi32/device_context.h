// Reaching a window device context's pixels from outside GDI, for drawing
// services that live elsewhere in the subset (DrawDib):
//
//   pixel_target target;
//   if (!pixels_of(dc, target)) return FALSE;          // not a window's context
//   for (const RECT& part : visible_parts(dc, destination)) {
//     ... write target.pixels[y * target.stride + x] for x, y in part ...
//   }
//   mark_drawn(dc, destination);                       // to be presented
//
// Coordinates are the window's client coordinates. Pixels are 0x00RRGGBB words,
// rows top to bottom. The pointer is valid until the window is resized or
// destroyed, so take it afresh for each drawing call.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/portable/kernel32/types.h"

namespace portable {

struct pixel_target {
  std::uint32_t* pixels = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t stride = 0;  // in pixels
};

// False when `dc` is not a context of an existing window.
bool pixels_of(HDC dc, pixel_target& target);
// The parts of `rect` the context may draw on: inside the client area and, for a
// context from BeginPaint, inside the region being painted.
std::vector<RECT> visible_parts(HDC dc, const RECT& rect);
// Marks pixels as changed; they are presented before the program next waits or
// reads its messages.
void mark_drawn(HDC dc, const RECT& rect);

}  // namespace portable
