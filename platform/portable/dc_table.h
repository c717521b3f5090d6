// The device contexts of windows: each draws into its window's pixels with its
// own selected objects and text settings.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "platform/portable/region.h"
#include "platform/portable/types.h"

namespace portable {

struct dc_state {
  HWND window;
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
  HDC add(HWND window, std::optional<region> paint_region);
  dc_state* find(HDC dc);
  bool remove(HDC dc);
  // The window is going away, and its contexts with it.
  void remove_all_of(HWND window);

 private:
  std::map<std::uintptr_t, dc_state> contexts;
  std::uintptr_t last_handle = 0x100000;
};

}  // namespace portable
