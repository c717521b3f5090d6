// The device contexts of windows: each draws into its window's pixels with its
// own selected objects and text settings. The windows are user32's: gdi32 sees
// only what a context draws on, found afresh by the window's handle, since a
// window may go while a context of it is held.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "platform/portable/gdi32/region.h"
#include "platform/portable/gdi32/surface.h"
#include "platform/portable/kernel32/types.h"

namespace portable {

// What a context draws on: a window's client area.
class drawing_surface {
 public:
  virtual pixel_surface& pixels() = 0;
  // Where drawing may go, in the surface's coordinates.
  virtual RECT area() const = 0;
  // Marks pixels to be presented.
  virtual void mark_drawn(const region& area) = 0;

 protected:
  ~drawing_surface() = default;
};

// The surface of a window, or null when there is no such window any more.
using surface_finder = drawing_surface* (*)(HWND window);

struct dc_state {
  HWND window;
  surface_finder find_surface;
  // BeginPaint's context may draw only inside the region it paints; GetDC's
  // anywhere in the client area.
  std::optional<region> paint_region;
  HGDIOBJ brush;
  HGDIOBJ font;
  COLORREF text_colour = 0;
  int background_mode;
  UINT text_align = 0;
};

class dc_table {
 public:
  // A context with the defaults: white brush, system font, black opaque text at
  // TA_TOP | TA_LEFT.
  HDC add(HWND window, surface_finder find_surface, std::optional<region> paint_region);
  dc_state* find(HDC dc);
  bool remove(HDC dc);
  // The window is going away, and its contexts with it.
  void remove_all_of(HWND window);

 private:
  std::map<std::uintptr_t, dc_state> contexts;
  std::uintptr_t last_handle = 0x100000;
};

}  // namespace portable
